#include "RecoveryFile.h"

#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileBytes.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace velto {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMostPathBytes = 64 * 1024;

// Writes bytes to a hidden file in the folder and renames it to name: 0, or the errno of the failure.
int PutInPlace(const fs::path& folder, const std::string& name, std::string_view bytes) {
    const fs::path temporary = folder / ('.' + name + ".new");
    const int fd = ::open(temporary.string().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int error = 0;
    while (!bytes.empty() && error == 0) {
        const auto written = ::write(fd, bytes.data(), bytes.size());
        if (written >= 0)
            bytes.remove_prefix(std::size_t(written));
        else if (errno != EINTR)
            error = errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    std::error_code renamed;
    if (error == 0) {
        fs::rename(temporary, folder / name, renamed);
        error = renamed.value();
    }
    if (error != 0)
        fs::remove(temporary, renamed);
    return error;
}

} // namespace

fs::path RecoveryFolder() {
    const fs::path subfolder = "velto-configurator";
#ifdef _WIN32
    const char* local = std::getenv("LOCALAPPDATA");
    return local ? fs::path(local) / subfolder : fs::path();
#else
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && fs::path(state).is_absolute())
        return fs::path(state) / subfolder;
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) / ".local" / "state" / subfolder : fs::path();
#endif
}

#ifdef _WIN32
long CurrentProcessId() {
    return long(::GetCurrentProcessId());
}

bool ProcessRunning(long pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}
#else
long CurrentProcessId() {
    return long(::getpid());
}

bool ProcessRunning(long pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}
#endif

RecoveryFile::RecoveryFile(fs::path folder, long pid, long long start)
    : folder_(std::move(folder)), name_(std::to_string(pid) + '-' + std::to_string(start)) {}

bool RecoveryFile::write(const ConfigModel& model, const std::string& editedFile, std::string& error) {
    if (folder_.empty()) {
        error = SystemErrorText(ENOENT);
        return false;
    }
    std::error_code made;
    if (fs::create_directories(folder_, made))
        fs::permissions(folder_, fs::perms::owner_all, made);
    // The path first: a configuration is never found beside the path of another file.
    if (editedFileWritten_ != editedFile) {
        editedFileWritten_.reset();
        if (const int failure = PutInPlace(folder_, name_ + ".path", editedFile)) {
            error = SystemErrorText(failure);
            return false;
        }
        editedFileWritten_ = editedFile;
    }
    const std::string next = name_ + '.' + std::to_string(written_ + 1) + ".xml";
    if (const int failure = PutInPlace(folder_, next, WriteConfig(model))) {
        error = SystemErrorText(failure);
        return false;
    }
    fs::remove(folder_ / (name_ + '.' + std::to_string(written_) + ".xml"), made);
    ++written_;
    return true;
}

void RecoveryFile::remove() {
    std::error_code ignored;
    fs::remove(folder_ / (name_ + '.' + std::to_string(written_) + ".xml"), ignored);
    fs::remove(folder_ / (name_ + ".path"), ignored);
    editedFileWritten_.reset();
}

std::vector<Leftover> FindLeftovers(const RecoveryFile& own) {
    const fs::path& folder = own.folder();
    const long ownPid = CurrentProcessId();
    std::map<std::string, std::pair<long, Leftover>> found; // by name: the latest n and the leftover
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        // "<pid>-<start>.<n>.xml"
        const std::string file = entry.path().filename().string();
        const std::string name = file.substr(0, file.find('.'));
        long pid = 0, n = 0;
        long long start = 0;
        const char* at = file.data();
        const char* const end = file.data() + file.size();
        const auto number = [&](auto& value, char after) {
            const auto [next, parsed] = std::from_chars(at, end, value);
            const bool ok = parsed == std::errc() && next < end && *next == after;
            at = ok ? next + 1 : end;
            return ok;
        };
        if (!number(pid, '-') || !number(start, '.') || !number(n, '.') ||
            std::string_view(at, end) != "xml" || name == own.name() ||
            (pid != ownPid && ProcessRunning(pid)) || !entry.is_regular_file(error))
            continue;
        auto& [latest, leftover] = found[name];
        leftover.files.push_back(entry.path());
        if (n > latest || leftover.file.empty()) {
            latest = n;
            leftover.file = entry.path();
            leftover.written = std::chrono::file_clock::to_sys(entry.last_write_time(error));
        }
    }
    std::vector<Leftover> leftovers;
    for (auto& [name, latestAndLeftover] : found) {
        Leftover& leftover = latestAndLeftover.second;
        leftover.files.push_back(folder / (name + ".path"));
        std::string unread;
        ReadRegularFile(leftover.files.back().string(), kMostPathBytes, leftover.editedFile, unread);
        leftovers.push_back(std::move(leftover));
    }
    std::sort(leftovers.begin(), leftovers.end(),
              [](const Leftover& a, const Leftover& b) { return a.written > b.written; });
    return leftovers;
}

std::optional<Notice> ReadLeftover(const Leftover& leftover, ConfigModel& model) {
    auto fresh = std::make_unique<ConfigModel>();
    std::string version;
    std::optional<Notice> failure;
    const bool complete = LoadConfigFile(leftover.file.string(), *fresh, version, [&](const Notice& notice) {
        if (notice.kind == NoticeKind::CannotRead || notice.kind == NoticeKind::ParseFailure ||
            notice.kind == NoticeKind::Stop)
            failure = notice;
    });
    if (!complete) {
        Notice unread;
        unread.kind = NoticeKind::CannotRead;
        return failure.value_or(unread);
    }
    model = std::move(*fresh);
    return std::nullopt;
}

void RemoveLeftover(const Leftover& leftover) {
    std::error_code ignored;
    for (const fs::path& file : leftover.files)
        fs::remove(file, ignored);
}

} // namespace velto
