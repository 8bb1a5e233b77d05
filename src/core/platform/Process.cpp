#include "Process.h"

#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velto {

std::vector<std::string> ProgramArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

void PrepareStandardStreams() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::tm LocalTime(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    return local;
}

long CurrentProcessId() {
    return long(::getpid());
}

bool ProcessRunning(long pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

const char* const kStateFolderVariable = "XDG_STATE_HOME";

std::filesystem::path UserStateFolder() {
    const char* state = std::getenv(kStateFolderVariable);
    if (state && std::filesystem::path(state).is_absolute())
        return state;
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) / ".local" / "state" : std::filesystem::path();
}

std::string PrivateFolderProblem(const std::filesystem::path& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0)
        return SystemErrorText(errno);
    if (S_ISLNK(info.st_mode))
        return std::string(kFolderIsLink);
    if (!S_ISDIR(info.st_mode))
        return SystemErrorText(ENOTDIR);
    if (info.st_uid != ::geteuid())
        return std::string(kFolderOfAnotherUser);
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return std::string(kFolderOpenToOthers);
    return {};
}

std::string MakePrivateFolder(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder) {
        made /= part;
        // The mode is set again after mkdir, which the umask may have narrowed to nothing.
        if (::mkdir(made.c_str(), 0700) == 0)
            ::chmod(made.c_str(), 0700);
    }
    return PrivateFolderProblem(folder);
}

int WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        info.st_nlink != 1) {
        ::close(fd);
        return EPERM;
    }
    const auto size = off_t(bytes.size());
    int error = 0;
    while (!bytes.empty() && error == 0) {
        const auto written = ::write(fd, bytes.data(), bytes.size());
        if (written >= 0)
            bytes.remove_prefix(std::size_t(written));
        else if (errno != EINTR)
            error = errno;
    }
    if (error == 0 && ::ftruncate(fd, size) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace velto
