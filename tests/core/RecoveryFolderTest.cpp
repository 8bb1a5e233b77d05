#include "CoreTestSupport.h"
#include "RecoveryFile.h"
#include "SystemError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velto {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct Case {
    const char* name;
    std::function<void(const fs::path& base)> prepare; // base/state/velto is the recovery folder
    std::string error;                                 // "" when the configuration is written
    bool needsSuperuser = false;
    // Done between a first write and a second, whose outcome counts, when given.
    std::function<void(const fs::path& base)> between = {};
};

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The recovery folder is used only when it is private: the user's own, not a link, closed to others;
// a slot file planted as a link or by another user is not written through.
TEST(RecoveryFolder, IsPrivateOrUnused) {
    const bool superuser = ::geteuid() == 0;
    const auto precious = [](const fs::path& base) { return base / "precious.xml"; };
    // clang-format off
    const Case cases[] = {
        {"missing: made, with its parents, open to the user only whatever the umask", [](auto&) {}, ""},
        {"open to others", [](auto& b) { fs::create_directories(b / "state/velto"), ::chmod((b / "state/velto").c_str(), 0777); }, std::string(kFolderOpenToOthers)},
        {"writable by its group", [](auto& b) { fs::create_directories(b / "state/velto"), ::chmod((b / "state/velto").c_str(), 0770); }, std::string(kFolderOpenToOthers)},
        {"a link to a folder", [](auto& b) { fs::create_directories(b / "state"), fs::create_directory(b / "elsewhere"), fs::create_directory_symlink(b / "elsewhere", b / "state/velto"); }, std::string(kFolderIsLink)},
        {"another user's", [](auto& b) { fs::create_directories(b / "state/velto"), ::chown((b / "state/velto").c_str(), kNobody, kNobody); }, std::string(kFolderOfAnotherUser), true},
        {"the next slot planted as a link to the user's file", [](auto&) {}, SystemErrorText(ELOOP), false, [&](auto& b) { fs::create_symlink(precious(b), b / "state/velto/7-1.2.xml"); }},
        {"the next slot made by another user", [](auto&) {}, SystemErrorText(EPERM), true, [](auto& b) { std::ofstream(b / "state/velto/7-1.2.xml") << "x"; ::chown((b / "state/velto/7-1.2.xml").c_str(), kNobody, kNobody); }},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsSuperuser && !superuser)
            continue;
        const test::TempFolder temp;
        const fs::path& base = temp.path;
        std::ofstream(precious(base)) << "precious";
        c.prepare(base);
        const bool made = !fs::exists(base / "state");
        RecoveryFile recovery(base / "state/velto", 7, 1);
        std::string error;
        const mode_t umask = ::umask(0);
        bool written = recovery.write(ConfigModel(), "", error);
        if (c.between) {
            c.between(base);
            written = recovery.write(ConfigModel(), "", error);
        }
        ::umask(umask);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(written, c.error.empty());
        EXPECT_EQ(test::ReadBytes(precious(base)), "precious");
        if (made) {
            EXPECT_EQ(ModeOf(base / "state"), 0700u);
            EXPECT_EQ(ModeOf(base / "state/velto"), 0700u);
            EXPECT_EQ(ModeOf(base / "state/velto/7-1.1.xml"), 0600u);
            EXPECT_EQ(ModeOf(base / "state/velto/7-1.path"), 0600u);
        }
        // What another user could have put in a folder that is not private is not offered.
        const bool folderRefused = c.error.find("folder") != std::string::npos;
        std::ofstream(base / "state/velto/99999999-1.1.xml") << test::Doc("");
        EXPECT_EQ(FindLeftovers(RecoveryFile(base / "state/velto", 8, 1)).empty(), folderRefused);
    }
    if (!superuser)
        GTEST_SKIP() << "the cases of another user's folder and file need the superuser";
}

} // namespace
} // namespace velto
