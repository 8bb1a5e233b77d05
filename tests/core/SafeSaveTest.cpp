#include "SafeSave.h"

#include "CoreTestSupport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
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
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }
    fs::perms ModeOf(const std::string& name) const { return fs::status(Path(name)).permissions(); }

    // "" when saved, otherwise the error. A file-size limit makes the disk "full" part way through.
    static std::string Save(const std::string& path, const std::string& bytes,
                            rlim_t sizeLimit = RLIM_INFINITY) {
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        ::getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = std::min(sizeLimit, previous.rlim_cur);
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        std::string error;
        const bool saved = WriteFileAtomically(path, bytes, error);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        return saved ? "" : error.empty() ? "failed without an error" : error;
    }

    fs::path folder_;
};

TEST_F(SafeSave, ReplacesTheFileKeepingItsPermissionsAndLinks) {
    Put("conf.xml", "old contents that are longer than the new ones");
    fs::permissions(Path("conf.xml"), fs::perms(0640));
    EXPECT_EQ(Save(Path("conf.xml"), "new\r\n"), "");
    EXPECT_EQ(test::ReadBytes(Path("conf.xml")), "new\r\n");
    EXPECT_EQ(ModeOf("conf.xml"), fs::perms(0640));

    const mode_t mask = ::umask(0027);
    const std::string saved = Save(Path("new.xml"), "bytes");
    ::umask(mask);
    EXPECT_EQ(saved, "");
    EXPECT_EQ(test::ReadBytes(Path("new.xml")), "bytes");
    EXPECT_EQ(ModeOf("new.xml"), fs::perms(0640));

    fs::create_symlink("conf.xml", Path("link.xml"));
    EXPECT_EQ(Save(Path("link.xml"), "linked"), "");
    EXPECT_TRUE(fs::is_symlink(Path("link.xml")));
    EXPECT_EQ(test::ReadBytes(Path("conf.xml")), "linked");
    EXPECT_EQ(Entries(), (std::set<std::string>{"conf.xml", "link.xml", "new.xml"}));
}

TEST_F(SafeSave, FailuresLeaveEverythingAsItWas) {
    Put("conf.xml", "precious");
    Put("plain file", "x");
    fs::create_directory(Path("folder"));
    const struct {
        std::string target;
        int error;
        rlim_t sizeLimit = RLIM_INFINITY;
    } cases[] = {
        {Path("folder"), EISDIR},
        {Path("plain file") + "/conf.xml", ENOTDIR},
        {Path("missing") + "/conf.xml", ENOENT},
        {"", ENOENT},
        {Path("conf.xml"), EFBIG, 4096}, // a full disk
    };
    for (const auto& c : cases)
        EXPECT_EQ(Save(c.target, std::string(100000, 'x'), c.sizeLimit),
                  std::system_category().message(c.error))
            << c.target;
    EXPECT_TRUE(fs::is_empty(Path("folder")));
    EXPECT_EQ(test::ReadBytes(Path("conf.xml")), "precious");
    EXPECT_EQ(Entries(), (std::set<std::string>{"conf.xml", "folder", "plain file"}));
}

TEST_F(SafeSave, AReadOnlyFolderLeavesTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    Put("conf.xml", "precious");
    fs::permissions(folder_, fs::perms(0555));
    EXPECT_EQ(Save(Path("conf.xml"), "new"), std::system_category().message(EACCES));
    EXPECT_EQ(test::ReadBytes(Path("conf.xml")), "precious");
}

} // namespace
} // namespace velto
