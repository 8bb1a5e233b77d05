#include "SafeSave.h"

#include "CoreTestSupport.h"

#include <csignal>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace velto {
namespace {

namespace fs = std::filesystem;

class SafeSave : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velto-save-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }

    static mode_t ModeOf(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info.st_mode & 07777;
    }

    fs::path folder_;
};

TEST_F(SafeSave, ReplacesTheFileAndKeepsItsPermissions) {
    const std::string target = Path("conf.xml");
    Put(target, "old contents that are longer than the new ones");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, "new\r\n", error)) << error;
    EXPECT_EQ(test::ReadBytes(target), "new\r\n");
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(Entries(), std::set<std::string>{"conf.xml"});
}

TEST_F(SafeSave, ANewFileTakesTheUsualPermissions) {
    const mode_t mask = ::umask(0027);
    std::string error;
    const bool saved = WriteFileAtomically(Path("new.xml"), "bytes", error);
    ::umask(mask);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(test::ReadBytes(Path("new.xml")), "bytes");
    EXPECT_EQ(ModeOf(Path("new.xml")), 0640u);
}

TEST_F(SafeSave, ALinkStaysALinkToTheNewContents) {
    Put(Path("real.xml"), "old");
    fs::create_symlink("real.xml", Path("link.xml"));
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(Path("link.xml"), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(Path("link.xml")));
    EXPECT_EQ(test::ReadBytes(Path("real.xml")), "new");
}

TEST_F(SafeSave, FailuresLeaveEverythingAsItWas) {
    Put(Path("conf.xml"), "precious");
    Put(Path("plain file"), "x");
    fs::create_directory(Path("folder"));
    const struct {
        std::string target;
        int error;
    } cases[] = {
        {Path("folder"), EISDIR},
        {Path("plain file") + "/conf.xml", ENOTDIR},
        {Path("missing") + "/conf.xml", ENOENT},
        {"", ENOENT},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(c.target, "new bytes", error)) << c.target;
        EXPECT_EQ(error, std::system_category().message(c.error)) << c.target;
    }
    EXPECT_TRUE(fs::is_directory(Path("folder")));
    EXPECT_TRUE(fs::is_empty(Path("folder")));
    EXPECT_EQ(test::ReadBytes(Path("conf.xml")), "precious");
    EXPECT_EQ(Entries(), (std::set<std::string>{"conf.xml", "folder", "plain file"}));
}

// A file-size limit makes the disk "full" after a few bytes, part way through the write.
TEST_F(SafeSave, AFullDiskLeavesTheOldFile) {
    const std::string target = Path("conf.xml");
    Put(target, "precious");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = WriteFileAtomically(target, std::string(100000, 'x'), error);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, std::system_category().message(EFBIG));
    EXPECT_EQ(test::ReadBytes(target), "precious");
    EXPECT_EQ(Entries(), std::set<std::string>{"conf.xml"});
}

TEST_F(SafeSave, AReadOnlyFolderLeavesTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    const std::string target = Path("conf.xml");
    Put(target, "precious");
    ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(target, "new", error));
    EXPECT_EQ(error, std::system_category().message(EACCES));
    EXPECT_EQ(test::ReadBytes(target), "precious");
}

} // namespace
} // namespace velto
