#include "VeltoConf.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace velto {
namespace {

namespace fs = std::filesystem;

std::string Xml(const std::string& body, const std::string& version = "1.0.4") {
    return "<ACTUATOR>\r\n<version number=\"" + version + "\"></version>\r\n" + body + "</ACTUATOR>\r\n";
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class VeltoConf : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() /
            ("velto-conf-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string file(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    static Outcome run(std::vector<std::string> arguments) {
        std::ostringstream out, err;
        const int status = RunVeltoConf(arguments, out, err);
        return {status, out.str(), err.str()};
    }

    fs::path folder_;
};

const std::string kClean =
    Xml("<device name=\"Lamp\" point=\"05\" group=\"2\" pull=\"\" type=\"1\"></device>\r\n"
        "<group name=\"Ground floor\" group=\"2\"></group>\r\n");
const std::string kNoticed =
    Xml("<device name=\"A\" point=\"12\" group=\"\" pull=\"\" type=\"1\"></device>\r\n"
        "<device name=\"B\" point=\"12\" group=\"\" pull=\"\" type=\"1\"></device>\r\n"
        "<group name=\"Lights\" group=\"12\"></group>\r\n",
        "1.0.3");
const std::string kStopped = Xml("<group name=\"One\" group=\"1\"></group>\r\n"
                                 "<group name=\"Bad\" group=\"-1\"></group>\r\n"
                                 "<load name=\"Never\" priority=\"1\"></load>\r\n");

TEST_F(VeltoConf, CheckPrintsEveryNoticeAndGradesTheFiles) {
    const std::string clean = file("clean.xml", kClean);
    const std::string noticed = file("noticed.xml", kNoticed);
    const std::string stopped = file("stopped.xml", kStopped);
    const std::string broken = file("broken.xml", "<ACTUATOR><device>");

    Outcome r = run({"check", clean});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");

    r = run({"check", noticed});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, noticed + ": Old version of file Xml\n" + noticed + ": Actuator 12 duplicate\n" +
                         noticed + ": Invalid group: 12 - Lights\n");

    r = run({"check", "--lang", "ita", noticed});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(noticed + ": Attuatore 12 duplicato\n"), std::string::npos) << r.out;

    r = run({"check", stopped});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, stopped + ": Invalid parameters in the file conf.xml\n");

    r = run({"check", broken});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.rfind(broken + ": ", 0), 0u) << r.out;

    r = run({"check", clean, noticed, stopped});
    EXPECT_EQ(r.status, 2);
}

TEST_F(VeltoConf, EachFileStartsFromAClearedConfiguration) {
    const std::string device150 =
        Xml("<device name=\"Far\" point=\"150\" group=\"\" pull=\"\" type=\"1\"></device>\r\n");
    const std::string first = file("first.xml", device150);
    const std::string second = file("second.xml", device150);
    const Outcome r = run({"check", first, second});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
}

TEST_F(VeltoConf, RewriteWritesTheCurrentFormatOrNothing) {
    const std::string in =
        file("in.xml", "<ACTUATOR><version number=\"1.0.4\"/>"
                       "<group group=\"2\" name=\"Ground floor\"/>"
                       "<device type=\"1\" pull=\"\" group=\"2\" point=\"5\" name=\"Lamp\"/>"
                       "</ACTUATOR>");
    Outcome r = run({"rewrite", in, "-"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n"
              "<device name=\"Lamp\" point=\"05\" group=\"2\" pull=\"\" type=\"1\"></device>\r\n\r\n"
              "<group name=\"Ground floor\" group=\"2\"></group>\r\n\r\n\r\n\r\n\r\n\r\n</ACTUATOR>\r\n");

    r = run({"rewrite", file("noticed.xml", kNoticed), path("out.xml")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Actuator 12 duplicate"), std::string::npos);
    std::ifstream written(path("out.xml"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), {});
    EXPECT_NE(bytes.find("<device name=\"A\" point=\"12\""), std::string::npos) << bytes;

    r = run({"rewrite", file("stopped.xml", kStopped), path("never.xml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists(path("never.xml")));
}

TEST_F(VeltoConf, ExportShowsEveryUsedSlotAsRead) {
    const std::string input =
        file("full.xml",
             Xml("<device name=\"Far\" point=\"150\" group=\"3\" pull=\"PULL\" type=\"2\" dimmer=\"40\"/>"
                 "<camera name=\"Gate\" number=\"1\" adr=\"04100\" type=\"2\"/>"
                 "<scf420 name=\"Night\" number=\"2\" adr=\"12#4#3\"/>"
                 "<scmh200 name=\"Away\" number=\"7\" cenact=\"0099\" cendis=\"9999\"/>"
                 "<probe name=\"Hall\" number=\"0.4\"/>"));
    const Outcome r = run({"export", input});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["version"], "1.0.4");
    EXPECT_EQ(json["devices"], nlohmann::json::parse(R"([{"point":150,"name":"Far","type":"2","group":3,
        "inUse":1,"pull":true,"dimmer":40}])"));
    EXPECT_EQ(json["cameras"], nlohmann::json::parse(R"([{"number":1,"name":"Gate","address":"4100#2"}])"));
    EXPECT_EQ(json["scenarios"],
              nlohmann::json::parse(R"([{"number":2,"name":"Night","address":"12#4#3"}])"));
    EXPECT_EQ(json["mh200Scenarios"],
              nlohmann::json::parse(
                  R"([{"number":7,"name":"Away","cenActivation":"0099","cenDeactivation":"9999"}])"));
    EXPECT_EQ(json["probes"], nlohmann::json::parse(R"([{"zone":0,"name":"Hall"}])"));
    for (const char* empty : {"groups", "loads", "auxiliaries"})
        EXPECT_TRUE(json[empty].empty()) << empty;

    const Outcome stopped = run({"export", file("stopped.xml", kStopped)});
    EXPECT_EQ(stopped.status, 2);
    EXPECT_EQ(nlohmann::json::parse(stopped.out)["groups"],
              nlohmann::json::parse(R"([{"number":1,"name":"One"}])"));
}

TEST_F(VeltoConf, CommandLineMistakesGiveOneLineAndStatusTwo) {
    const std::string clean = file("clean.xml", kClean);
    const std::vector<std::vector<std::string>> mistakes = {
        {},
        {"frobnicate", clean},
        {"check"},
        {"check", "--verbose", clean},
        {"check", "--lang", "fra", clean},
        {"check", "--lang"},
        {"rewrite", clean},
        {"export", clean, clean},
        {"check", path("missing.xml")},
    };
    for (const auto& arguments : mistakes) {
        const Outcome r = run(arguments);
        std::string shown;
        for (const auto& a : arguments)
            shown += a + ' ';
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << r.err;
    }
    EXPECT_EQ(run({"--help"}).status, 0);
    EXPECT_NE(run({"--version"}).out.find("1.0.4"), std::string::npos);
}

} // namespace
} // namespace velto
