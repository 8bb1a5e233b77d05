#include "RecoveryFile.h"

#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileBytes.h"
#include "Process.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <map>
#include <memory>

namespace velto {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMostPathBytes = 64 * 1024;

// Writes bytes to a hidden file in the folder and renames it to name: 0, or the errno of the failure.
int PutInPlace(const fs::path& folder, const std::string& name, std::string_view bytes) {
    const fs::path temporary = folder / ('.' + name + ".new");
    int error = WriteWholeFile(temporary, bytes);
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
    const fs::path state = UserStateFolder();
    return state.empty() ? state : state / "velto-configurator";
}

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
        ReadRegularFile(FileName(leftover.files.back()), kMostPathBytes, leftover.editedFile, unread);
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
    const bool complete = LoadConfigFile(FileName(leftover.file), *fresh, version, [&](const Notice& notice) {
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
