#include "SafeSave.h"

#include "FileBytes.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

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
    Failure(int code = 0, std::string_view text = {}, std::string note = {}, std::string subject = {})
        : code(code), text(text), note(std::move(note)), subject(std::move(subject)) {}

    int code;
    std::string_view text;
    std::string note;    // said after the reason
    std::string subject; // the folder, where the folder refused; empty for the file

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

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The rule the kernel applies with fs.protected_symlinks: in a folder anyone may write that has the
// sticky bit, another user may plant a link, so one is followed only when it belongs to the user or
// to the folder's owner. A link that ends the path must also lead to a file that exists.
Failure SharedFolderRefuses(const fs::path& folder, const fs::path& link, const struct stat& linkInfo,
                            bool last) {
    struct stat shared {};
    if (::stat(folder.c_str(), &shared) != 0)
        return {errno};
    if ((shared.st_mode & S_ISVTX) == 0 || (shared.st_mode & S_IWOTH) == 0)
        return {};
    if (linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != shared.st_uid)
        return {0, kForeignLink};
    struct stat pointed {};
    if (last && ::stat(link.c_str(), &pointed) != 0 && errno == ENOENT)
        return {0, kDanglingLink};
    return {};
}

// Replaces every link in the path, at any of its components, by what it leads to, so that a link
// planted in a shared folder is caught wherever it stands (a folder's link as well as the file's).
// The components after the first one that does not exist are kept as they are.
Failure FollowLinks(fs::path& path) {
    std::vector<fs::path> rest(path.begin(), path.end());
    std::reverse(rest.begin(), rest.end()); // the next component last
    fs::path resolved;
    int hops = 0;
    while (!rest.empty()) {
        const fs::path component = std::move(rest.back());
        rest.pop_back();
        const fs::path candidate = resolved / component;
        struct stat info {};
        if (component == "." || component == ".." || component.has_root_directory() ||
            ::lstat(candidate.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            resolved = candidate;
            continue;
        }
        if (++hops > kMostLinksFollowed)
            return {ELOOP};
        if (Failure refused = SharedFolderRefuses(FolderOf(candidate), candidate, info, rest.empty()))
            return refused;
        std::error_code error;
        const fs::path link = fs::read_symlink(candidate, error);
        if (error)
            return {error.value()};
        if (link.is_absolute())
            resolved.clear();
        for (auto part = std::make_reverse_iterator(link.end());
             part != std::make_reverse_iterator(link.begin()); ++part)
            if (!part->empty())
                rest.push_back(*part);
    }
    path = resolved;
    return {};
}

Failure Resolve(const std::string& path, Target& target) {
    if (path.empty())
        return {ENOENT};
    target.file = path;
    if (Failure failure = FollowLinks(target.file))
        return failure;
    target.folder = FolderOf(target.file);
    target.name = target.file.filename().string();
    target.exists = ::stat(target.file.c_str(), &target.info) == 0;
    if (!target.exists && errno != ENOENT)
        return {errno};
    if (target.exists) {
        if (S_ISDIR(target.info.st_mode))
            return {EISDIR};
        if (!S_ISREG(target.info.st_mode))
            return {0, kNotARegularFile};
        // Renaming over a protected file would ignore its protection, even for the superuser.
        if (::faccessat(AT_FDCWD, target.file.c_str(), W_OK, AT_EACCESS) != 0)
            return {errno};
        if ((target.info.st_mode & 0222) == 0)
            return {EACCES};
    }
    // Every way of saving makes a file beside the target: the folder must take one.
    if (::faccessat(AT_FDCWD, target.folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return {errno, {}, {}, target.folder.string()};
    return {};
}

int WriteAll(const SaveDevice& device, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const long long written = device.write(fd, bytes.data(), bytes.size());
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

// The names of the extended attributes of a file (its ACL among them), as the system lists them: each
// ended by a NUL. False with errno set when they cannot be listed.
template <typename List> bool AttributeNames(List list, std::string& names) {
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP && (names.clear(), true); // a file system without any
        names.assign(static_cast<std::size_t>(size), '\0');
        const ssize_t listed = size == 0 ? 0 : list(names.data(), names.size());
        if (listed >= 0) {
            names.resize(static_cast<std::size_t>(listed));
            return true;
        }
        if (errno != ERANGE) // ERANGE: one was added meanwhile
            return false;
    }
}

// Gives the new file exactly the target's extended attributes, its POSIX ACL among them; false when one
// cannot be read or given.
bool CopyAttributes(const Target& target, int fd) {
    const char* file = target.file.c_str();
    std::string wanted, present;
    if (!AttributeNames([&](char* list, std::size_t size) { return ::listxattr(file, list, size); },
                        wanted) ||
        !AttributeNames([&](char* list, std::size_t size) { return ::flistxattr(fd, list, size); }, present))
        return false;
    for (const char* name = wanted.c_str(); name < wanted.c_str() + wanted.size();
         name += std::strlen(name) + 1) {
        const ssize_t size = ::getxattr(file, name, nullptr, 0);
        std::string value(size < 0 ? 0 : static_cast<std::size_t>(size), '\0');
        if (size < 0 || ::getxattr(file, name, value.data(), value.size()) != size ||
            ::fsetxattr(fd, name, value.data(), value.size(), 0) != 0)
            return false;
    }
    // What the folder's default ACL gave the new file, and the old one did not have.
    for (const char* name = present.c_str(); name < present.c_str() + present.size();
         name += std::strlen(name) + 1)
        if (wanted.find(std::string(name) + '\0') == std::string::npos && ::fremovexattr(fd, name) != 0)
            return false;
    return true;
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
    if (error == 0 && target.exists && !CopyAttributes(target, file.get()))
        error = kNeedsWritingInPlace;
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

// Copies the old contents to a backup beside the target. They are written under a temporary name,
// flushed, and only then given a backup name, so that a backup name never holds a part of a file,
// even when the save is killed. The backup stays locked while its descriptor is open.
Descriptor WriteBackup(const Target& target, std::string_view old, const SaveDevice& device,
                       fs::path& backupName, int& error) {
    fs::path temporary;
    Descriptor backup = CreateBeside(target, kTemporaryTag, temporary, error);
    if (!backup)
        return backup;
    error = WriteAll(device, backup.get(), old);
    if (error == 0)
        error = Sync(device, backup.get());
    if (error == 0)
        error = MakeBeside(target, kBackupTag, backupName, [&](const fs::path& candidate) {
            return ::link(temporary.c_str(), candidate.c_str()) == 0 ? 0 : errno;
        });
    ::unlink(temporary.c_str());
    return error == 0 ? std::move(backup) : Descriptor();
}

// Every name of the file sees the new bytes, and the inode keeps its owner, group and mode.
Failure WriteInPlace(const Target& target, std::string_view bytes, const SaveDevice& device) {
    // Not blocking, not following a link: what is opened must still be the file that was checked.
    const Descriptor file(::open(target.file.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {};
    if (!file || ::fstat(file.get(), &opened) != 0)
        return {errno};
    if (!S_ISREG(opened.st_mode))
        return {0, kNotARegularFile};
    if (opened.st_dev != target.info.st_dev || opened.st_ino != target.info.st_ino)
        return {0, kFileReplaced};
    std::string old;
    if (!ReadRest(file.get(), old, SIZE_MAX))
        return {errno};
    fs::path backupName;
    int error = 0;
    const Descriptor backup = WriteBackup(target, old, device, backupName, error);
    if (!backup)
        return {error};
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

// Calls found with each file beside the target that a save of it made with the tag and that no save
// still holds (a save locks its files), and with a descriptor of it (invalid when it cannot be opened).
template <typename Found> void ForEachLeftover(const Target& target, std::string_view tag, Found found) {
    const std::string stem = "." + target.name + std::string(tag);
    std::error_code error;
    for (fs::directory_iterator entry(target.folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string& path = entry->path().native(); // not split: a folder may hold many files
        if (!std::string_view(path).substr(path.rfind('/') + 1).starts_with(stem) ||
            entry->is_symlink(error) || !entry->is_regular_file(error))
            continue;
        const Descriptor file(::open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!file || ::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            found(entry->path(), file);
    }
}

// Removes the temporary files killed saves of the same target left behind. Their backups stay: one may
// hold the only complete copy of the file.
void RemoveStaleTemporaries(const Target& target) {
    ForEachLeftover(target, kTemporaryTag, [](const fs::path& stale, const Descriptor& file) {
        if (file)
            ::unlink(stale.c_str());
    });
}

// Whether this is the first save of the file by this process. Only a save that was killed leaves
// temporary files behind, and a killed save was another process's: looking once a file is enough, and
// saving again does not read the whole folder again.
bool FirstSaveOf(const Target& target) {
    static std::mutex mutex;
    static std::set<fs::path> saved;
    const std::lock_guard lock(mutex);
    return saved.insert(target.folder / target.name).second;
}

} // namespace

const SaveDevice& SystemSaveDevice() {
    static const SaveDevice device{
        [](int fd, const void* data, std::size_t size) -> long long { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); }};
    return device;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, SaveError& error,
                         const SaveDevice& device) {
    Target target;
    Failure failure = Resolve(path, target);
    if (!failure) {
        const bool shared = target.exists && target.info.st_nlink > 1;
        const int renamed = shared ? kNeedsWritingInPlace : ReplaceByRename(target, bytes, device);
        failure = renamed == kNeedsWritingInPlace ? WriteInPlace(target, bytes, device) : Failure(renamed);
    }
    if (failure) {
        error = {failure.Describe(), failure.subject.empty() ? path : failure.subject};
        return false;
    }
    if (FirstSaveOf(target))
        RemoveStaleTemporaries(target);
    return true;
}

std::vector<LeftoverBackup> FindLeftoverBackups(const std::string& path) {
    std::vector<LeftoverBackup> found;
    Target target;
    (void)Resolve(path, target); // a file the user may not write may still have a backup to tell of
    if (target.name.empty())
        return found;
    ForEachLeftover(target, kBackupTag, [&](const fs::path& backup, const Descriptor&) {
        struct stat info {};
        if (::stat(backup.c_str(), &info) == 0) // named beside the path as given: "conf.xml", ".conf.xml..."
            found.push_back({(target.file.parent_path() / backup.filename()).string(),
                             static_cast<long long>(info.st_mtim.tv_sec), info.st_uid == ::geteuid()});
    });
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.modifiedSeconds > b.modifiedSeconds; });
    return found;
}

bool RemoveBackup(const std::string& backup, std::string& error) {
    if (::unlink(backup.c_str()) == 0)
        return true;
    error = SystemErrorText(errno);
    return false;
}

} // namespace velto
