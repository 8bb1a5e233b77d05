#include "SafeSave.h"

#include "CoreTestSupport.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace velto {
namespace {

namespace fs = std::filesystem;

constexpr gid_t kSharedGroup = 4242;
constexpr uid_t kNobody = 65534;

// The n-th call of write or sync (counting from 1) fails with error, or kills the process (error 0).
struct Fault {
    char call = 0; // 'w' or 's'
    int at = 0, error = 0;
    bool namedTemporaries = false;
};

struct Case {
    const char* name;
    std::function<void(const fs::path& folder)> prepare = {};
    std::string error = {}; // "" when saved
    test::Lines left = {};  // every entry of the folder afterwards
    Fault fault = {};
    bool byGroupMember = false; // saved by nobody, a member of the file's group
    rlim_t sizeLimit = RLIM_INFINITY;
    std::string target = "conf.xml";
};

// "conf.xml 640 0:0 1 'old'" (mode owner:group links bytes), "link.xml -> conf.xml", "pipe fifo"; the
// save's own files end in "-*" in place of the process number.
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
        else
            name += " " + (std::ostringstream() << std::oct << (info.st_mode & 07777)).str() + " " +
                    std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid) + " " +
                    std::to_string(info.st_nlink) + " '" + test::ReadBytes(path) + "'";
        sorted.insert(name);
    }
    return {sorted.begin(), sorted.end()};
}

// Saves in a child process, as the case's user and with its faults: "", "killed" or the error.
std::string SaveInChild(const fs::path& target, const std::string& bytes, const Case& c) {
    constexpr std::size_t kSize = 512;
    auto* said =
        static_cast<char*>(::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    const pid_t child = ::fork();
    if (child == 0) {
        ::umask(002);
        const rlimit limit{c.sizeLimit, c.sizeLimit};
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const gid_t groups[] = {kSharedGroup};
        if (c.byGroupMember &&
            (::setgroups(1, groups) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(3);
        static int calls[2] = {};
        auto faulty = [&c](char call) {
            if (call != c.fault.call || ++calls[call == 's'] != c.fault.at)
                return false;
            if (c.fault.error == 0)
                ::raise(SIGKILL);
            errno = c.fault.error;
            return true;
        };
        const SaveDevice& system = SystemSaveDevice();
        const SaveDevice device{[&](int fd, const void* data, std::size_t size) {
                                    return faulty('w') ? -1 : system.write(fd, data, size);
                                },
                                [&](int fd) { return faulty('s') ? -1 : system.sync(fd); },
                                !c.fault.namedTemporaries};
        std::string error;
        WriteFileAtomically(target.string(), bytes, error, device);
        error.copy(said, kSize - 1);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string result = WIFSIGNALED(status) ? "killed" : said;
    ::munmap(said, kSize);
    return result;
}

void Put(const fs::path& path, const std::string& bytes, mode_t mode, uid_t owner = 0, gid_t group = 0) {
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

TEST(SafeSave, Targets) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser, to save as another user and give files owners";
    const auto says = [](int error) { return std::system_category().message(error); };
    const test::Lines oldFile{"conf.xml 640 0:0 1 'old'"};
    const test::Lines linkedOld{"conf.xml 640 0:0 2 'old'", "other.xml 640 0:0 2 'old'"};
    // clang-format off
    const Case cases[] = {
        {"new file", [](auto&) {}, "", {"conf.xml 664 0:0 1 'new'"}},
        {"fifo", [](auto& f) { ::mkfifo((f / "conf.xml").c_str(), 0644); }, "Not a regular file",
         {"conf.xml fifo"}},
        {"folder", [](auto& f) { fs::create_directory(f / "conf.xml"); }, says(EISDIR), {"conf.xml folder"}},
        {.name = "missing folder", .prepare = Old, .error = says(ENOENT), .left = oldFile,
         .target = "missing/conf.xml"},
        {.name = "link", .prepare = [](auto& f) { Old(f); fs::create_symlink("conf.xml", f / "link.xml"); },
         .left = {"conf.xml 640 0:0 1 'new'", "link.xml -> conf.xml"}, .target = "link.xml"},
        {.name = "dangling link", .prepare = [](auto& f) { fs::create_symlink("made.xml", f / "link.xml"); },
         .left = {"link.xml -> made.xml", "made.xml 664 0:0 1 'new'"}, .target = "link.xml"},
        {"read-only file", [](auto& f) { Put(f / "conf.xml", "old", 0444); }, says(EACCES),
         {"conf.xml 444 0:0 1 'old'"}},
        {"hard link", HardLinked, "", {"conf.xml 640 0:0 2 'new'", "other.xml 640 0:0 2 'new'"}},
        {"shared file saved by a group member",
         [](auto& f) { Put(f / "conf.xml", "old", 0660, 0, kSharedGroup); }, "",
         {"conf.xml 660 0:4242 1 'new'"}, {}, true},
        {"shared file in a folder the member may not write",
         [](auto& f) { Put(f / "conf.xml", "old", 0660, 0, kSharedGroup), fs::permissions(f, fs::perms(0755)); },
         says(EACCES), {"conf.xml 660 0:4242 1 'old'"}, {}, true},
        {"own file in another group of the user",
         [](auto& f) { Put(f / "conf.xml", "old", 0640, kNobody, kSharedGroup); }, "",
         {"conf.xml 640 65534:4242 1 'new'"}, {}, true},
        {"flush fails (or a save that skips it succeeds)", Old, says(EIO), oldFile, {'s', 1, EIO}},
        {"disk full", Old, says(ENOSPC), oldFile, {'w', 1, ENOSPC}},
        {"file size limit", Old, says(EFBIG), oldFile, {}, false, 2},
        {"hard link, fsync fails", HardLinked, says(EIO), linkedOld, {'s', 3, EIO}},
        {"hard link, disk full", HardLinked, says(ENOSPC), linkedOld, {'w', 2, ENOSPC}},
        {"killed", Old, "killed", oldFile, {'s', 1, 0}},
        {"killed, named temporary", Old, "killed",
         {".conf.xml.velto-save-* 640 0:0 1 'new'", "conf.xml 640 0:0 1 'old'"}, {'s', 1, 0, true}},
        {"killed writing in place", HardLinked, "killed", {".conf.xml.velto-backup-* 600 0:0 1 'old'",
         "conf.xml 640 0:0 2 'new'", "other.xml 640 0:0 2 'new'"}, {'s', 3, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char pattern[] = "/tmp/velto-save-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        const fs::path folder = pattern;
        ::chmod(pattern, 0777); // a group member may make its backup here
        c.prepare(folder);
        EXPECT_EQ(SaveInChild(folder / c.target, "new", c), c.error);
        EXPECT_EQ(Listing(folder), c.left);
        // The next save of the same file takes away what a killed one left.
        if (SaveInChild(folder / c.target, "again", Case{.name = c.name, .byGroupMember = c.byGroupMember})
                .empty()) {
            for (const std::string& entry : Listing(folder))
                EXPECT_EQ(entry.find(".velto-"), std::string::npos) << entry;
        }
        fs::remove_all(folder);
    }
}

} // namespace
} // namespace velto
