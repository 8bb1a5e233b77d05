#include "Process.h"
#include "SystemError.h"
#include "Win32.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace velto {

// The C runtime's argv is in the ANSI code page, which cannot hold every file name: the wide command
// line is split again the system's way.
std::vector<std::string> ProgramArguments(int, char*[]) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    for (FILE* stream : {stdin, stdout, stderr})
        ::_setmode(::_fileno(stream), _O_BINARY);
    // A console shows the UTF-8 the program writes.
    ::SetConsoleOutputCP(CP_UTF8);
}

std::tm LocalTime(std::time_t moment) {
    std::tm local{};
    ::localtime_s(&local, &moment);
    return local;
}

long CurrentProcessId() {
    return long(::GetCurrentProcessId());
}

namespace {

// The creation time of an open process, in milliseconds since the epoch; 0 when it cannot be had.
long long StartOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    const unsigned long long ticks = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) |
                                     created.dwLowDateTime; // 100 ns since 1601
    constexpr unsigned long long kEpochTicks = 116444736000000000ULL;
    return ticks > kEpochTicks ? static_cast<long long>((ticks - kEpochTicks) / 10000) : 0;
}

} // namespace

long long ProcessStartTime(long pid) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return 0;
    const long long start = StartOf(process);
    ::CloseHandle(process);
    return start;
}

bool ProcessRunning(long pid, long long start) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    const long long began = running && start != 0 ? StartOf(process) : 0;
    ::CloseHandle(process);
    return running && (began == 0 || std::llabs(began - start) <= kStartTimeSlackMs);
}

const char* const kStateFolderVariable = "LOCALAPPDATA";
const char* const kDataFolderVariable = "LOCALAPPDATA";

// Read wide: the folder of a user whose name the ANSI code page cannot hold is found too.
std::filesystem::path UserStateFolder() {
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    return local && std::filesystem::path(local).is_absolute() ? std::filesystem::path(local)
                                                               : std::filesystem::path();
}

// Windows keeps the user's data and state in one local folder.
std::filesystem::path UserDataFolder() {
    return UserStateFolder();
}

std::filesystem::path ResolvedPath(const std::filesystem::path& path) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(path, ignored).lexically_normal();
    std::filesystem::path there = full, rest;
    const auto joined = [](const std::filesystem::path& first, const std::filesystem::path& then) {
        return then.empty() ? first : first / then; // appending nothing would add a backslash
    };
    for (; there.has_relative_path(); there = there.parent_path()) {
        if (const std::optional<std::wstring> final = FinalWidePath(there.wstring()))
            return joined(*final, rest).lexically_normal();
        rest = joined(there.filename(), rest);
    }
    return full;
}

std::string PrivateFolderProblem(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) ? std::string() : SystemErrorText(ENOENT);
}

std::string MakePrivateFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return PrivateFolderProblem(folder);
}

int WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd =
        ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return errno;
    const auto size = static_cast<long long>(bytes.size());
    int error = 0;
    while (!bytes.empty() && error == 0) {
        const unsigned part = unsigned(std::min<std::size_t>(bytes.size(), 1u << 30));
        const int written = ::_write(fd, bytes.data(), part);
        if (written >= 0)
            bytes.remove_prefix(std::size_t(written));
        else
            error = errno;
    }
    if (error == 0)
        error = ::_chsize_s(fd, size);
    if (::_close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace velto
