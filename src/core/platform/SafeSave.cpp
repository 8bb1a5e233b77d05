#include "SafeSave.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace velto {
namespace {

std::string SystemError(int error) {
    return std::system_category().message(error);
}

// A link is replaced through: the file it points to takes the new bytes and the link stays.
std::string ResolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    if (path.empty()) {
        error = SystemError(ENOENT);
        return false;
    }
    const std::string target = ResolvedTarget(path);
    std::string temporary = FolderOf(target) + "/.conf-save-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    bool written = WriteAll(fd, bytes);
    if (written && exists) {
        // Keep the owner where the process may (a plain user may not, and keeps its own).
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            (void)::fchown(fd, existing.st_uid, existing.st_gid);
        written = ::fchmod(fd, existing.st_mode & 07777) == 0;
    } else if (written) {
        written = ::fchmod(fd, NewFileMode()) == 0;
    }
    written = written && ::fsync(fd) == 0;
    int failure = written ? 0 : errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        error = SystemError(failure);
        return false;
    }

    // Make the new name durable too; the bytes are already safe, so a failure here changes nothing.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace velto
