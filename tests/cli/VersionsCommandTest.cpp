#include "CoreTestSupport.h"
#include "Process.h"
#include "SystemError.h"
#include "VeltoConf.h"
#include "VersionStore.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <regex>

namespace velto {
namespace {

namespace fs = std::filesystem;
using test::Doc;

// Every save of the tool keeps its versions in a folder of this test's own, not the user's.
class PrivateDataFolder : public ::testing::Environment {
public:
    void SetUp() override {
        folder_.emplace();
        const std::string path = FileName(folder_->path);
#ifdef _WIN32
        ::_putenv_s(kDataFolderVariable, path.c_str());
#else
        ::setenv(kDataFolderVariable, path.c_str(), 1);
#endif
    }
    void TearDown() override {
        folder_.reset();
    }

private:
    std::optional<test::TempFolder> folder_;
};
::testing::Environment* const kDataFolder = ::testing::AddGlobalTestEnvironment(new PrivateDataFolder);

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Velto(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = RunVeltoConf(arguments, out, err);
    return {status, out.str(), err.str()};
}

// Two configurations as the program writes them.
const std::string kOneLoad = "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n\r\n\r\n"
                             "<load name=\"Oven\" priority=\"1\"></load>\r\n\r\n\r\n\r\n\r\n</ACTUATOR>\r\n";
const std::string kTwoLoads = "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n\r\n\r\n"
                              "<load name=\"Oven\" priority=\"1\"></load>\r\n<load name=\"Washer\" "
                              "priority=\"2\"></load>\r\n\r\n\r\n\r\n\r\n</ACTUATOR>\r\n";

// rewrite and import keep the file they replace; versions lists them, newest first, in the language
// asked, and writes one out, the file it replaces kept in turn.
TEST(VersionsCommand, ListsAndRestoresWhatSavesReplaced) {
    const test::TempFolder temporary;
    const fs::path& folder = temporary.path;
    const std::string conf = (folder / "conf.xml").string(), csv = (folder / "loads.csv").string();
    std::ofstream(folder / "in.xml", std::ios::binary) << kOneLoad;
    std::ofstream(conf, std::ios::binary) << kTwoLoads;
    std::ofstream(csv) << "priority,name\n3,Dryer\n";

    EXPECT_EQ(Velto({"versions", conf}).out, conf + ": no versions kept\n");
    EXPECT_EQ(Velto({"rewrite", (folder / "in.xml").string(), conf}).status, 0);
    const Outcome imported = Velto({"import", "--table", "loads", csv, conf});
    EXPECT_EQ(imported.status, 0) << imported.err;

    const std::string time = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)";
    const Outcome listed = Velto({"versions", conf});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(std::regex_match(
        listed.out, std::regex("1  " + time + "  " + std::to_string(kOneLoad.size()) +
                               " bytes  1 load added\n"
                               "2  " +
                               time + "  " + std::to_string(kTwoLoads.size()) + " bytes  1 load removed\n")))
        << listed.out;
    EXPECT_TRUE(std::regex_search(Velto({"versions", "--lang", "ita", conf}).out,
                                  std::regex("2  " + time + "  \\d+ byte  1 carico eliminato\n$")));

    const Outcome restored = Velto({"versions", conf, "--restore", "2", "-o", conf});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(test::ReadBytes(conf), kTwoLoads);
    const std::string relisted = Velto({"versions", conf}).out;
    EXPECT_TRUE(std::regex_match(relisted, std::regex("1  " + time +
                                                      R"(  \d+ bytes  1 load added, 1 load removed\n)"
                                                      R"(2  .*\n3  .*\n)")))
        << "the file the restore replaced is version 1: " << relisted;
    EXPECT_EQ(Velto({"versions", conf, "--restore", "3", "-o", "-"}).out, kTwoLoads);
}

// Restoring refuses a version that is not there and an output among the versions; a version that
// cannot be kept warns and the save goes on with its own exit status.
TEST(VersionsCommand, RefusesWhatWouldLoseData) {
    const test::TempFolder temporary;
    const fs::path &folder = temporary.path, root = UserVersionsRoot();
    const std::string conf = (folder / "conf.xml").string(), in = (folder / "in.xml").string();
    std::ofstream(in, std::ios::binary) << kOneLoad;
    std::ofstream(conf, std::ios::binary) << kTwoLoads;
    ASSERT_EQ(Velto({"rewrite", in, conf}).status, 0);

    EXPECT_EQ(Velto({"versions", conf, "--restore", "2", "-o", "-"}).err,
              "velto-conf: " + conf + ": no version 2\n");
    const Outcome inside = Velto({"versions", conf, "--restore", "1", "-o", (root / "x.xml").string()});
    EXPECT_EQ(inside.status, 2);
    EXPECT_NE(inside.err.find("is among the kept versions"), std::string::npos) << inside.err;

    // A folder where the record of the file's path goes: no version can be kept.
    const fs::path record = VersionStore(root).folderOf(conf) / "path";
    fs::remove(record);
    fs::create_directory(record);
    const Outcome warned = Velto({"rewrite", in, conf});
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err, "velto-conf: " + conf + ": warning: the version replaced is not kept: " +
                              SystemErrorText(EISDIR) + "\n");
    EXPECT_EQ(test::ReadBytes(conf), kOneLoad);
    EXPECT_EQ(Velto({"versions", conf, "--restore", "1", "-o", conf}).status, 2)
        << "its contents would be lost";
    EXPECT_EQ(test::ReadBytes(conf), kOneLoad);
}

} // namespace
} // namespace velto
