#include "Process.h"

#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
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

namespace {

// What /proc tells of a process: its state letter and when it began.
struct ProcessStatus {
    char state = 0;
    long long startMs = 0;
};

// When the system started, in seconds since the epoch (0 when it does not say): read once, as it holds
// until the next boot.
long long BootSeconds() {
    static const long long boot = [] {
        std::ifstream system("/proc/stat");
        for (std::string line; std::getline(system, line);) {
            if (line.starts_with("btime "))
                return std::atoll(line.c_str() + 6);
        }
        return 0LL;
    }();
    return boot;
}

std::optional<ProcessStatus> StatusOf(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return std::nullopt;
    // "pid (name) state ..." where the name may hold anything: the fields go on after the last ')'.
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(nameEnd + 1));
    ProcessStatus status;
    fields >> status.state;
    std::string skipped;
    for (int field = 4; field < 22 && fields >> skipped;) // starttime is the 22nd field
        ++field;
    unsigned long long ticks = 0;
    const long long bootSeconds = BootSeconds();
    const long hertz = ::sysconf(_SC_CLK_TCK);
    if (fields >> ticks && bootSeconds > 0 && hertz > 0)
        status.startMs = bootSeconds * 1000 +
                         static_cast<long long>(ticks * 1000 / static_cast<unsigned long long>(hertz));
    return status;
}

} // namespace

long long ProcessStartTime(long pid) {
    const std::optional<ProcessStatus> status = StatusOf(pid);
    return status ? status->startMs : 0;
}

bool ProcessRunning(long pid, long long start) {
    if (pid <= 0 || !(::kill(pid_t(pid), 0) == 0 || errno == EPERM))
        return false;
    const std::optional<ProcessStatus> status = StatusOf(pid);
    if (!status) // nothing more to know: it runs
        return true;
    if (status->state == 'Z' || status->state == 'X') // ended, not yet reaped
        return false;
    return start == 0 || status->startMs == 0 || std::llabs(status->startMs - start) <= kStartTimeSlackMs;
}

const char* const kStateFolderVariable = "XDG_STATE_HOME";
const char* const kDataFolderVariable = "XDG_DATA_HOME";

namespace {

// The folder a variable names when it holds an absolute path, otherwise ~/.local/<fallback>.
std::filesystem::path XdgFolder(const char* variable, const char* fallback) {
    const char* named = std::getenv(variable);
    if (named && std::filesystem::path(named).is_absolute())
        return named;
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) / ".local" / fallback : std::filesystem::path();
}

} // namespace

std::filesystem::path UserStateFolder() {
    return XdgFolder(kStateFolderVariable, "state");
}

std::filesystem::path UserDataFolder() {
    return XdgFolder(kDataFolderVariable, "share");
}

std::filesystem::path ResolvedPath(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::weakly_canonical(std::filesystem::absolute(path, ignored), ignored)
        .lexically_normal();
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
