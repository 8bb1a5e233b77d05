#include "SafeSave.h"

#include "CoreTestSupport.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velto {
namespace {

namespace fs = std::filesystem;

constexpr gid_t kSharedGroup = 4242;

// The n-th call of write or sync (counting from 1) fails with error, or kills the process (error 0).
struct Fault {
    char call = 0; // 'w' or 's'
    int at = 0;
    int error = 0;
    bool namedTemporaries = false;
};

struct Case {
    const char* name;
    std::function<void(const fs::path& folder)> prepare;
    std::string target = "conf.xml";
    std::string error; // "" when saved
    test::Lines left;  // every entry of the folder afterwards
    Fault fault = {};
    bool byGroupMember = false; // saved by nobody, a member of the file's group
    rlim_t sizeLimit = RLIM_INFINITY;
};

uid_t Nobody() {
    return ::getpwnam("nobody")->pw_uid;
}

// "conf.xml 640 root:0 1 'old'", "link.xml -> conf.xml", "pipe fifo"; the tail of the save's own files
// (its process number) as "*".
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
                    (info.st_uid == 0          ? "root"
                     : info.st_uid == Nobody() ? "nobody"
                                               : "?") +
                    ":" + std::to_string(info.st_gid) + " " + std::to_string(info.st_nlink) + " '" +
                    test::ReadBytes(path) + "'";
        sorted.insert(name);
    }
    return {sorted.begin(), sorted.end()};
}

// Saves in a child process, as the case's user and with its faults; "" when saved, "killed" when the
// child was killed, otherwise the error.
std::string SaveInChild(const fs::path& target, const std::string& bytes, const Case& c) {
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::umask(022);
        const rlimit limit{c.sizeLimit, c.sizeLimit};
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const gid_t groups[] = {kSharedGroup};
        if (c.byGroupMember &&
            (::setgroups(1, groups) != 0 || ::setgid(65534) != 0 || ::setuid(Nobody()) != 0))
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
        (void)::write(pipe[1], error.data(), error.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    char buffer[512];
    const ssize_t size = ::read(pipe[0], buffer, sizeof buffer);
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? "killed" : std::string(buffer, size > 0 ? std::size_t(size) : 0);
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
    const std::string eio = std::system_category().message(EIO);
    const std::string full = std::system_category().message(ENOSPC);
    const test::Lines oldFile{"conf.xml 640 root:0 1 'old'"};
    const test::Lines linkedOld{"conf.xml 640 root:0 2 'old'", "other.xml 640 root:0 2 'old'"};
    const Fault kill{'s', 1, 0}, killNamed{'s', 1, 0, true};
    // clang-format off
    const Case cases[] = {
        {"regular file", Old, "conf.xml", "", {"conf.xml 640 root:0 1 'new'"}},
        {"new file", [](auto&) {}, "conf.xml", "", {"conf.xml 644 root:0 1 'new'"}},
        {"fifo", [](auto& f) { ::mkfifo((f / "conf.xml").c_str(), 0644); }, "conf.xml", "Not a regular file",
         {"conf.xml fifo"}},
        {"folder", [](auto& f) { fs::create_directory(f / "conf.xml"); }, "conf.xml",
         std::system_category().message(EISDIR), {"conf.xml folder"}},
        {"missing folder", Old, "missing/conf.xml", std::system_category().message(ENOENT), oldFile},
        {"link", [](auto& f) { Old(f); fs::create_symlink("conf.xml", f / "link.xml"); }, "link.xml", "",
         {"conf.xml 640 root:0 1 'new'", "link.xml -> conf.xml"}},
        {"dangling link", [](auto& f) { fs::create_symlink("made.xml", f / "link.xml"); }, "link.xml", "",
         {"link.xml -> made.xml", "made.xml 644 root:0 1 'new'"}},
        {"read-only file", [](auto& f) { Put(f / "conf.xml", "old", 0444); }, "conf.xml",
         std::system_category().message(EACCES), {"conf.xml 444 root:0 1 'old'"}},
        {"hard link", HardLinked, "conf.xml", "", {"conf.xml 640 root:0 2 'new'", "other.xml 640 root:0 2 'new'"}},
        {"shared file saved by a group member", [](auto& f) { Put(f / "conf.xml", "old", 0660, 0, kSharedGroup); },
         "conf.xml", "", {"conf.xml 660 root:4242 1 'new'"}, {}, true},
        {"shared file in a folder the member may not write",
         [](auto& f) { Put(f / "conf.xml", "old", 0660, 0, kSharedGroup), fs::permissions(f, fs::perms(0755)); },
         "conf.xml", std::system_category().message(EACCES), {"conf.xml 660 root:4242 1 'old'"}, {}, true},
        {"own file in another group of the user",
         [](auto& f) { Put(f / "conf.xml", "old", 0640, Nobody(), kSharedGroup); }, "conf.xml", "",
         {"conf.xml 640 nobody:4242 1 'new'"}, {}, true},
        {"flush fails (or a save that skips it succeeds)", Old, "conf.xml", eio, oldFile, {'s', 1, EIO}},
        {"disk full", Old, "conf.xml", full, oldFile, {'w', 1, ENOSPC}},
        {"file size limit", Old, "conf.xml", std::system_category().message(EFBIG), oldFile, {}, false, 2},
        {"hard link, fsync fails", HardLinked, "conf.xml", eio, linkedOld, {'s', 3, EIO}},
        {"hard link, disk full", HardLinked, "conf.xml", full, linkedOld, {'w', 2, ENOSPC}},
        {"killed", Old, "conf.xml", "killed", oldFile, kill},
        {"killed, named temporary", Old, "conf.xml", "killed",
         {".conf.xml.velto-save-* 640 root:0 1 'new'", "conf.xml 640 root:0 1 'old'"}, killNamed},
        {"killed writing in place", HardLinked, "conf.xml", "killed",
         {".conf.xml.velto-backup-* 600 root:0 1 'old'", "conf.xml 640 root:0 2 'new'",
          "other.xml 640 root:0 2 'new'"}, {'s', 3, 0}},
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
        if (SaveInChild(folder / c.target, "again", Case{c.name, {}, {}, {}, {}, {}, c.byGroupMember})
                .empty()) {
            for (const std::string& entry : Listing(folder))
                EXPECT_EQ(entry.find(".velto-"), std::string::npos) << entry;
        }
        fs::remove_all(folder);
    }
}

} // namespace
} // namespace velto
