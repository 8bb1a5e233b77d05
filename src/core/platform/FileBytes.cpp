#include "FileBytes.h"

#include "SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velto {

bool ReadRest(int fd, std::string& bytes, std::size_t limit) {
    char chunk[64 * 1024];
    while (bytes.size() <= limit) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count == 0)
            return true;
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            bytes.append(chunk, static_cast<std::size_t>(count));
    }
    return true;
}

bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& error) {
    bytes.clear();
    // Without O_NONBLOCK, opening a pipe would wait for a writer before its type could be seen.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = SystemErrorText(errno);
    } else if (S_ISDIR(info.st_mode)) {
        error = SystemErrorText(EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        error = kNotARegularFile;
    } else if (static_cast<std::size_t>(info.st_size) > limit) {
        error = kFileTooLarge;
    } else {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        if (!ReadRest(fd, bytes, limit))
            error = SystemErrorText(errno);
        else if (bytes.size() > limit) // it grew while it was read
            error = kFileTooLarge;
        else
            error.clear();
    }
    ::close(fd);
    if (!error.empty())
        bytes.clear();
    return error.empty();
}

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace velto
