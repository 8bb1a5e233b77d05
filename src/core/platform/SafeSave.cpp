#include "SafeSave.h"

#include "FileBytes.h"
#include "SystemError.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velto {
namespace {

namespace fs = std::filesystem;

// Files beside the target, named ".<target's name><tag><process>-<n>", so that the next save of the
// same file knows them as its own.
constexpr std::string_view kTemporaryTag = ".velto-save-";
constexpr std::string_view kBackupTag = ".velto-backup-";
constexpr int kMostLinksFollowed = 40;
constexpr int kNeedsWritingInPlace = -1; // not an errno: a new file cannot carry the owner or group

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// What went wrong: an errno value, or a text of the program's own where the system has none.
struct Failure {
    Failure(int code = 0, std::string_view text = {}, std::string note = {})
        : code(code), text(text), note(std::move(note)) {}

    int code;
    std::string_view text;
    std::string note; // said after the reason

    explicit operator bool() const { return code != 0 || !text.empty(); }
    std::string Describe() const { return (text.empty() ? SystemErrorText(code) : std::string(text)) + note; }
};

struct Target {
    fs::path file; // links followed
    fs::path folder;
    std::string name;
    bool exists = false;
    struct stat info {};
};

Failure FollowLinks(fs::path& path) {
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return {};
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            return {error.value()};
        path = path.parent_path() / link; // an absolute link replaces the whole path
    }
    return {ELOOP};
}

Failure Resolve(const std::string& path, Target& target) {
    if (path.empty())
        return {ENOENT};
    target.file = path;
    if (Failure failure = FollowLinks(target.file))
        return failure;
    target.folder = target.file.has_parent_path() ? target.file.parent_path() : fs::path(".");
    target.name = target.file.filename().string();
    target.exists = ::stat(target.file.c_str(), &target.info) == 0;
    if (!target.exists)
        return {errno == ENOENT ? 0 : errno};
    if (S_ISDIR(target.info.st_mode))
        return {EISDIR};
    if (!S_ISREG(target.info.st_mode))
        return {0, kNotARegularFile};
    // Renaming over a protected file would ignore its protection, even for the superuser.
    if (::faccessat(AT_FDCWD, target.file.c_str(), W_OK, AT_EACCESS) != 0)
        return {errno};
    if ((target.info.st_mode & 0222) == 0)
        return {EACCES};
    return {};
}

int WriteAll(const SaveDevice& device, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = device.write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int Sync(const SaveDevice& device, int fd) {
    return device.sync(fd) == 0 ? 0 : errno;
}

// Makes the names in the folder durable; the bytes are already on disk, so a failure changes nothing.
void SyncFolder(const Target& target, const SaveDevice& device) {
    const Descriptor folder(::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        (void)device.sync(folder.get());
}

// Calls make with free names beside the target until one is taken (make returns 0) or make fails
// otherwise than with EEXIST.
template <typename Make>
int MakeBeside(const Target& target, std::string_view tag, fs::path& name, Make make) {
    const std::string stem = "." + target.name + std::string(tag) + std::to_string(::getpid()) + "-";
    for (int attempt = 0;; ++attempt) {
        name = target.folder / (stem + std::to_string(attempt));
        if (const int error = make(name); error != EEXIST || attempt == 99)
            return error;
    }
}

// A named file beside the target, new, open for writing, and locked so that no other save takes it
// for a stale one.
Descriptor CreateBeside(const Target& target, std::string_view tag, fs::path& name, int& error) {
    Descriptor file;
    error = MakeBeside(target, tag, name, [&](const fs::path& candidate) {
        file = Descriptor(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        return file ? 0 : errno;
    });
    if (file)
        ::flock(file.get(), LOCK_EX);
    return file;
}

// Gives an unnamed file a temporary name beside the target.
int GiveName(const Target& target, int fd, fs::path& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return MakeBeside(target, kTemporaryTag, name, [&](const fs::path& candidate) {
        if (::linkat(fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0)
            return 0;
        if (errno == EEXIST)
            return EEXIST;
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                                     : errno;
    });
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives a new file the old one's owner and group where they differ from the ones it got.
int TakeOwnership(const Target& target, int fd) {
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        return errno;
    if (made.st_uid == target.info.st_uid && made.st_gid == target.info.st_gid)
        return 0;
    if (::fchown(fd, target.info.st_uid, target.info.st_gid) == 0)
        return 0;
    return errno == EPERM ? kNeedsWritingInPlace : errno;
}

int ReplaceByRename(const Target& target, std::string_view bytes, const SaveDevice& device) {
    Descriptor file;
    fs::path named; // empty while the file has no name
    if (device.unnamedTemporaries) {
        file = Descriptor(::open(target.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (!file && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return errno;
        if (file)
            ::flock(file.get(), LOCK_EX);
    }
    int error = 0;
    if (!file && !(file = CreateBeside(target, kTemporaryTag, named, error)))
        return error;

    error = WriteAll(device, file.get(), bytes);
    if (error == 0 && target.exists)
        error = TakeOwnership(target, file.get());
    if (error == 0 && ::fchmod(file.get(), target.exists ? target.info.st_mode & 07777 : NewFileMode()) != 0)
        error = errno;
    if (error == 0)
        error = Sync(device, file.get());
    if (error == 0 && named.empty())
        error = GiveName(target, file.get(), named);
    if (error == 0 && ::rename(named.c_str(), target.file.c_str()) != 0)
        error = errno;
    if (error != 0 && !named.empty())
        ::unlink(named.c_str());
    if (error == 0)
        SyncFolder(target, device);
    return error;
}

int Overwrite(const SaveDevice& device, int fd, std::string_view bytes) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return errno;
    if (const int error = WriteAll(device, fd, bytes))
        return error;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        return errno;
    return Sync(device, fd);
}

// Every name of the file sees the new bytes, and the inode keeps its owner, group and mode.
Failure WriteInPlace(const Target& target, std::string_view bytes, const SaveDevice& device) {
    const Descriptor file(::open(target.file.c_str(), O_RDWR | O_CLOEXEC));
    std::string old;
    if (!file || !ReadRest(file.get(), old, SIZE_MAX))
        return {errno};
    fs::path backupName;
    int error = 0;
    const Descriptor backup = CreateBeside(target, kBackupTag, backupName, error);
    if (!backup)
        return {error};
    error = WriteAll(device, backup.get(), old);
    if (error == 0)
        error = Sync(device, backup.get());
    if (error != 0) {
        ::unlink(backupName.c_str());
        return {error};
    }
    SyncFolder(target, device);

    // Room for the new bytes first, so that a full disk shows before the old ones are touched.
    if (bytes.size() > old.size() &&
        ::fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP)
        error = errno;
    if (error == 0 && (error = Overwrite(device, file.get(), bytes)) != 0 &&
        Overwrite(device, file.get(), old) != 0)
        return {error, {}, " (the previous contents are kept in " + backupName.string() + ")"};
    ::unlink(backupName.c_str());
    SyncFolder(target, device);
    return {error};
}

// Removes what killed saves of the same target left behind; a file another save still holds is locked.
void RemoveStaleFiles(const Target& target) {
    const std::string stem = "." + target.name;
    std::error_code error;
    for (fs::directory_iterator entry(target.folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const std::string_view tail = std::string_view(name).substr(std::min(name.size(), stem.size()));
        if (!name.starts_with(stem) || !(tail.starts_with(kTemporaryTag) || tail.starts_with(kBackupTag)))
            continue;
        const Descriptor stale(::open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (stale && ::flock(stale.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(entry->path().c_str());
    }
}

} // namespace

const SaveDevice& SystemSaveDevice() {
    static const SaveDevice device{
        [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); }};
    return device;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         const SaveDevice& device) {
    Target target;
    Failure failure = Resolve(path, target);
    if (!failure) {
        const bool shared = target.exists && target.info.st_nlink > 1;
        const int renamed = shared ? kNeedsWritingInPlace : ReplaceByRename(target, bytes, device);
        failure = renamed == kNeedsWritingInPlace ? WriteInPlace(target, bytes, device) : Failure(renamed);
    }
    if (failure) {
        error = failure.Describe();
        return false;
    }
    RemoveStaleFiles(target);
    return true;
}

} // namespace velto
