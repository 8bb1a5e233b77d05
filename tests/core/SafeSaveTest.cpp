#include "SafeSave.h"

#include "CoreTestSupport.h"
#include "LeftoverBackups.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <set>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>

namespace velto {
namespace {

namespace fs = std::filesystem;
using test::Doc;

constexpr gid_t kSharedGroup = 4242;
constexpr uid_t kNobody = 65534;

// What a case needs beyond an ordinary user's folder.
enum class Needs { Nothing, Superuser, Acls };

struct Case {
    const char* name;
    std::function<void(const fs::path& folder)> prepare = {};
    std::string error = {}; // "" when saved; "folder: reason" when the reason is about the folder
    test::Lines left = {};  // every entry of the folder afterwards
    test::Fault fault = {};
    bool byGroupMember = false; // saved by nobody, a member of the file's group
    rlim_t sizeLimit = RLIM_INFINITY;
    std::string target = "conf.xml";
    Needs needs = Needs::Nothing;
    // Run by the saving process just before it saves: what another process with its id left.
    std::function<void(const fs::path& folder)> leftByTheSameId = {};
};

// "conf.xml 640 0:4242 1 'old'" (mode, owner:group where not the tester's, links, bytes, extended
// attributes), "link.xml -> conf.xml", "pipe fifo"; the save's own files end in "-*" in place of the
// process number.
test::Lines Listing(const fs::path& folder) {
    std::set<std::string> sorted;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string path = entry.path().string();
        std::string name = entry.path().filename().string();
        if (const auto tag = name.find(".velto-"); tag != std::string::npos)
            name = name.substr(0, name.find('-', tag + 7) + 1) + "*";
        struct stat info {};
        ::lstat(path.c_str(), &info);
        if (S_ISLNK(info.st_mode))
            name += " -> " + fs::read_symlink(path).string();
        else if (!S_ISREG(info.st_mode))
            name += S_ISFIFO(info.st_mode) ? " fifo" : " folder";
        else {
            const bool mine = info.st_uid == ::geteuid() && info.st_gid == ::getegid();
            name += " " + (std::ostringstream() << std::oct << (info.st_mode & 07777)).str() +
                    (mine ? "" : " " + std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid)) +
                    " " + std::to_string(info.st_nlink) + " '" + test::ReadBytes(path) + "'";
            char attributes[256] = {};
            const ssize_t size = ::llistxattr(path.c_str(), attributes, sizeof attributes);
            for (const char* a = attributes; a < attributes + std::max<ssize_t>(size, 0);
                 a += std::strlen(a) + 1)
                name += std::string(" ") + a;
        }
        sorted.insert(name);
    }
    return {sorted.begin(), sorted.end()};
}

// Runs the work in a child process: what it answers, "killed" when a signal ends it, or "exit N".
std::string InChild(const std::function<std::string()>& work) {
    constexpr std::size_t kSize = 512;
    auto* said =
        static_cast<char*>(::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    const pid_t child = ::fork();
    if (child == 0) {
        work().copy(said, kSize - 1);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string result = WIFSIGNALED(status)   ? "killed"
                               : WEXITSTATUS(status) ? "exit " + std::to_string(WEXITSTATUS(status))
                                                     : said;
    ::munmap(said, kSize);
    return result;
}

// Saves in a child process, as the case's user and with its faults: "", "killed" or the error.
std::string SaveInChild(const fs::path& target, const std::string& bytes, const Case& c) {
    return InChild([&] {
        ::umask(002);
        const rlimit limit{c.sizeLimit, c.sizeLimit};
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const gid_t groups[] = {kSharedGroup};
        if (c.byGroupMember &&
            (::setgroups(1, groups) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(3);
        if (c.leftByTheSameId)
            c.leftByTheSameId(target.parent_path());
        SaveError error;
        WriteFileAtomically(target.string(), bytes, error, test::FaultyDevice(c.fault));
        const std::string about = error.subject == target.parent_path().string() ? "folder: " : "";
        return error.reason.empty() ? error.reason : about + error.reason;
    });
}

void Put(const fs::path& path, const std::string& bytes, mode_t mode, uid_t owner = -1, gid_t group = -1) {
    std::ofstream(path, std::ios::binary) << bytes;
    ::chmod(path.c_str(), mode);
    ::chown(path.c_str(), owner, group);
}

void Old(const fs::path& folder) {
    Put(folder / "conf.xml", "old", 0640);
}

void HardLinked(const fs::path& folder) {
    Old(folder);
    fs::create_hard_link(folder / "conf.xml", folder / "other.xml");
}

// The old file, and links beside it ("name", "target", ...), in a folder that is shared (anyone may write
// it, sticky) when owner is given: the links' owner, -1 the tester.
auto Linked(std::vector<const char*> links, std::optional<uid_t> owner = {}) {
    return [=](const fs::path& f) {
        Old(f);
        for (std::size_t i = 0; i + 1 < links.size(); i += 2)
            fs::create_symlink(links[i + 1], f / links[i]),
                ::lchown((f / links[i]).c_str(), owner.value_or(-1), -1);
        if (owner)
            fs::permissions(f, fs::perms(01777));
    };
}

// What a save by a process of the same id, killed long ago, left under the names this one takes first.
void LeftoverNames(const fs::path& folder) {
    for (const char* tag : {".velto-save-", ".velto-backup-"})
        Put(folder / (".conf.xml" + std::string(tag) + std::to_string(::getpid()) + "-0"), "older", 0600);
}

// Saves each case of the table that needs other users (or each that does not), in a folder of its own;
// answers why a case was left out.
std::string SaveEach(bool otherUsers) {
    const auto says = [](int error) { return std::system_category().message(error); };
    const test::Lines oldFile{"conf.xml 640 1 'old'"};
    const test::Lines linkedOld{"conf.xml 640 2 'old'", "other.xml 640 2 'old'"};
    const std::string older = ".conf.xml.velto-backup-* 600 1 'older'";
    // clang-format off
    const Case cases[] = {
        {"new file", [](auto&) {}, "", {"conf.xml 664 1 'new'"}},
        {"fifo", [](auto& f) { ::mkfifo((f / "conf.xml").c_str(), 0644); }, "Not a regular file", {"conf.xml fifo"}},
        {"folder", [](auto& f) { fs::create_directory(f / "conf.xml"); }, says(EISDIR), {"conf.xml folder"}},
        {.name = "missing folder", .prepare = Old, .error = says(ENOENT), .left = oldFile, .target = "missing/conf.xml"},
        {.name = "link", .prepare = Linked({"link.xml", "conf.xml"}), .left = {"conf.xml 640 1 'new'", "link.xml -> conf.xml"}, .target = "link.xml"},
        {.name = "chain of links", .prepare = Linked({"link.xml", "l2.xml", "l2.xml", "conf.xml"}), .left = {"conf.xml 640 1 'new'", "l2.xml -> conf.xml", "link.xml -> l2.xml"}, .target = "link.xml"},
        {.name = "dangling link", .prepare = Linked({"link.xml", "made.xml"}), .left = {"conf.xml 640 1 'old'", "link.xml -> made.xml", "made.xml 664 1 'new'"}, .target = "link.xml"},
        {.name = "own link in a shared folder", .prepare = Linked({"link.xml", "conf.xml"}, -1), .left = {"conf.xml 640 1 'new'", "link.xml -> conf.xml"}, .target = "link.xml"},
        {.name = "dangling link in a shared folder", .prepare = Linked({"link.xml", "made.xml"}, -1), .error = "Link in a shared folder that leads to no file: not followed", .left = {"conf.xml 640 1 'old'", "link.xml -> made.xml"}, .target = "link.xml"},
        {.name = "link another user planted in a shared folder", .prepare = Linked({"link.xml", "conf.xml"}, kNobody), .error = "Link in a shared folder owned by another user: not followed", .left = {"conf.xml 640 1 'old'", "link.xml -> conf.xml"}, .target = "link.xml", .needs = Needs::Superuser},
        {.name = "link to a folder another user planted in a shared folder", .prepare = [](auto& f) { fs::create_directory(f / "home"), Old(f / "home"), Linked({"dir", "home"}, kNobody)(f); }, .error = "Link in a shared folder owned by another user: not followed", .left = {"conf.xml 640 1 'old'", "dir -> home", "home folder"}, .target = "dir/conf.xml", .needs = Needs::Superuser},
        {.name = "link of the shared folder's owner, saved by another user", .prepare = [](auto& f) { Linked({"link.xml", "conf.xml"}, 0)(f), Put(f / "conf.xml", "old", 0660, 0, kSharedGroup); }, .left = {"conf.xml 660 0:4242 1 'new'", "link.xml -> conf.xml"}, .byGroupMember = true, .target = "link.xml", .needs = Needs::Superuser},
        {"read-only file", [](auto& f) { Put(f / "conf.xml", "old", 0444); }, says(EACCES), {"conf.xml 444 1 'old'"}},
        {.name = "writable by its group only, saved by the superuser", .prepare = [](auto& f) { Put(f / "conf.xml", "old", 0460); }, .left = {"conf.xml 460 1 'new'"}, .needs = Needs::Superuser},
        {.name = "file with an ACL", .prepare = [](auto& f) { Old(f), std::system(("setfacl -m u:65534:rw " + (f / "conf.xml").string()).c_str()); }, .left = {"conf.xml 660 1 'new' system.posix_acl_access"}, .needs = Needs::Acls},
        {"hard link", HardLinked, "", {"conf.xml 640 2 'new'", "other.xml 640 2 'new'"}},
        {.name = "shared file saved by a group member", .prepare = [](auto& f) { Put(f / "conf.xml", "old", 0660, 0, kSharedGroup); }, .left = {"conf.xml 660 0:4242 1 'new'"}, .byGroupMember = true, .needs = Needs::Superuser},
        {.name = "shared file in a folder the member may not write", .prepare = [](auto& f) { Put(f / "conf.xml", "old", 0660, 0, kSharedGroup), fs::permissions(f, fs::perms(0755)); }, .error = "folder: " + says(EACCES), .left = {"conf.xml 660 0:4242 1 'old'"}, .byGroupMember = true, .needs = Needs::Superuser},
        {.name = "own file in another group of the user", .prepare = [](auto& f) { Put(f / "conf.xml", "old", 0640, kNobody, kSharedGroup); }, .left = {"conf.xml 640 65534:4242 1 'new'"}, .byGroupMember = true, .needs = Needs::Superuser},
        {"flush fails (or a save that skips it succeeds)", Old, says(EIO), oldFile, {'s', 1, EIO}},
        {"disk full", Old, says(ENOSPC), oldFile, {'w', 1, ENOSPC}},
        {"disk full, named temporary", Old, says(ENOSPC), oldFile, {'w', 1, ENOSPC, true}},
        {"file size limit", Old, says(EFBIG), oldFile, {}, false, 2},
        {"hard link, fsync fails", HardLinked, says(EIO), linkedOld, {'s', 3, EIO}},
        {"hard link, disk full", HardLinked, says(ENOSPC), linkedOld, {'w', 2, ENOSPC}},
        {.name = "names a killed save with the same process id left", .prepare = Old, .left = {older, "conf.xml 640 1 'new'"}, .leftByTheSameId = LeftoverNames},
        {.name = "names a killed save with the same process id left, writing in place", .prepare = HardLinked, .left = {older, "conf.xml 640 2 'new'", "other.xml 640 2 'new'"}, .leftByTheSameId = LeftoverNames},
        {"killed", Old, "killed", oldFile, {'s', 1, 0}},
        {"killed, named temporary", Old, "killed", {".conf.xml.velto-save-* 640 1 'new'", "conf.xml 640 1 'old'"}, {'s', 1, 0, true}},
        {"killed writing in place", HardLinked, "killed", {".conf.xml.velto-backup-* 600 1 'old'", "conf.xml 640 2 'new'", "other.xml 640 2 'new'"}, {'s', 3, 0}},
        {"a backup a killed save left", [](auto& f) { HardLinked(f), Put(f / ".conf.xml.velto-backup-1-0", "older", 0600); }, "", {older, "conf.xml 640 2 'new'", "other.xml 640 2 'new'"}},
    };
    // clang-format on
    std::string leftOut;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if ((c.needs == Needs::Superuser) != otherUsers)
            continue;
        const test::TempFolder temp;
        const fs::path& folder = temp.path;
        if (c.needs == Needs::Acls &&
            std::system(("setfacl -m u:65534:rwx " + folder.string()).c_str()) != 0) {
            leftOut = std::string(c.name) + ": the file system of /tmp refuses ACLs (setfacl)";
            continue;
        }
        ::chmod(folder.c_str(), 0777); // a group member may make its backup here
        c.prepare(folder);
        EXPECT_EQ(SaveInChild(folder / c.target, "new", c), c.error);
        const test::Lines left = Listing(folder);
        EXPECT_EQ(left, c.left);
        // The next save of the same file takes away the temporary files a killed one left, never a backup.
        if (SaveInChild(folder / c.target, "again", Case{.name = c.name, .byGroupMember = c.byGroupMember})
                .empty()) {
            for (const std::string& entry : Listing(folder))
                EXPECT_TRUE(entry.find(".velto-") == std::string::npos ||
                            (entry.find(".velto-backup-") != std::string::npos &&
                             std::find(left.begin(), left.end(), entry) != left.end()))
                    << entry;
        }
    }
    return leftOut;
}

TEST(SafeSave, Targets) {
    if (const std::string leftOut = SaveEach(false); !leftOut.empty())
        GTEST_SKIP() << leftOut;
}

TEST(SafeSave, TargetsOfOtherUsers) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser, to give files other owners and to save as another user";
    EXPECT_EQ(SaveEach(true), "");
}

// On a disk without room for the new bytes, a file written in place is not touched at all, not even its
// time: the room is taken before the first old byte is overwritten.
TEST(SafeSave, AFullDiskLeavesAFileWrittenInPlaceUntouched) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser, to mount a small file system of its own";
    const test::TempFolder temp;
    const fs::path& folder = temp.path;
    const std::string result = InChild([&] {
        // A file system of 64 kB in a mount namespace of the child's own, gone when the child ends.
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(2);
        HardLinked(folder);
        const timespec modified[2] = {{1000, 0}, {1000, 0}};
        ::utimensat(AT_FDCWD, (folder / "conf.xml").c_str(), modified, 0);
        SaveError error;
        WriteFileAtomically((folder / "conf.xml").string(), std::string(100'000, 'n'), error);
        struct stat info {};
        ::stat((folder / "conf.xml").c_str(), &info);
        std::string result = error.reason + ", modified at " + std::to_string(info.st_mtim.tv_sec);
        for (const std::string& entry : Listing(folder))
            result += ", " + entry;
        return result;
    });
    if (result == "exit 2")
        GTEST_SKIP() << "the system lets no process mount a file system of its own here";
    EXPECT_EQ(result, std::system_category().message(ENOSPC) +
                          ", modified at 1000, conf.xml 640 2 'old', other.xml 640 2 'old'");
}

// Saves old's file (two names, so written in place behind a backup) in a child killed once it has
// written budget bytes in all; answers whether it was killed.
bool SaveKilledAfter(const fs::path& target, const std::string& bytes, std::size_t budget) {
    return InChild([&] {
               const SaveDevice& system = SystemSaveDevice();
               SaveDevice device{[&](int fd, const void* data, std::size_t size) -> long long {
                                     if (budget == 0)
                                         ::raise(SIGKILL);
                                     const long long written = system.write(fd, data, std::min(size, budget));
                                     budget -= std::size_t(std::max(written, 0LL));
                                     return written;
                                 },
                                 system.sync};
               SaveError error;
               WriteFileAtomically(target.string(), bytes, error, device);
               return std::string();
           }) == "killed";
}

// A save killed after any number of bytes leaves the file as it was, or a whole backup of it: a backup
// name never holds a part of a file, so a restore can never put one in the file's place.
TEST(SafeSave, KilledAtEveryByteLeavesNoTornBackup) {
    const std::string old = Doc("<group name=\"Hall\" group=\"1\"></group>\r\n"), fresh = "new";
    for (std::size_t budget = 0; budget <= old.size() + fresh.size(); ++budget) {
        SCOPED_TRACE(budget);
        const test::TempFolder temp;
        const fs::path& folder = temp.path;
        Put(folder / "conf.xml", old, 0640);
        fs::create_hard_link(folder / "conf.xml", folder / "other.xml");
        const bool killed = SaveKilledAfter(folder / "conf.xml", fresh, budget);
        EXPECT_EQ(killed, budget < old.size() + fresh.size());
        int backups = 0;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().find(".velto-backup-") != std::string::npos) {
                EXPECT_EQ(test::ReadBytes(entry.path()), old) << entry.path();
                ++backups;
            }
        const std::string now = test::ReadBytes(folder / "conf.xml");
        EXPECT_TRUE(now == old || backups == 1 || (!killed && now == fresh)) << now;
        EXPECT_EQ(ExamineBackups((folder / "conf.xml").string(), false).whole.size(), std::size_t(backups));
    }
}

// Backups beside a file: only a whole one of the user's own is offered; the others are named, never
// offered nor removed.
TEST(SafeSave, OnlyWholeOwnBackupsAreOffered) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser, to give a backup another owner";
    const test::TempFolder folder;
    Put(folder / "conf.xml", Doc(""), 0644);
    Put(folder / ".conf.xml.velto-backup-1-0", Doc("<group name=\"Hall\" group=\"1\"></group>\r\n"), 0600);
    Put(folder / ".conf.xml.velto-backup-2-0", Doc("").substr(0, 20), 0600);
    Put(folder / ".conf.xml.velto-backup-3-0", Doc(""), 0600, kNobody, kNobody);
    const ExaminedBackups examined = ExamineBackups((folder / "conf.xml").string(), false);
    ASSERT_EQ(examined.whole.size(), 1u);
    EXPECT_EQ(fs::path(examined.whole[0].path).filename(), ".conf.xml.velto-backup-1-0");
    std::set<std::string> unusable;
    for (const std::string& line : examined.unusable)
        unusable.insert(fs::path(line).filename().string());
    EXPECT_EQ(unusable,
              (std::set<std::string>{".conf.xml.velto-backup-2-0: incomplete backup",
                                     ".conf.xml.velto-backup-3-0: backup of another user, not used"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 4);
}

} // namespace
} // namespace velto
