#include "RecoveryFile.h"

#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileBytes.h"
#include "Process.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
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

// The two configuration files of a recovery file, "<name>.1.xml" and "<name>.2.xml", written in turn: while
// one is being written the other holds the write before, whole. Each is written over in place, since
// emptying a file or renaming over it makes some file systems write it to disk at once.
constexpr int kSlots = 2;

// Each configuration written ends with the line that seals it, "<!-- write <n> <check> -->": n counts
// the writes, and check is the checksum, in hexadecimal, of everything before it. A write cut short, or
// one that reached the disk only in part, leaves a file that the line does not seal.
constexpr std::string_view kSealStart = "<!-- write ", kSealEnd = " -->\r\n";

// FNV-1a over 8-byte words (then the last bytes one by one): a change of any one word changes it.
std::uint64_t Checksum(std::string_view bytes) {
    constexpr std::uint64_t kPrime = 0x100000001b3;
    std::uint64_t hash = 0xcbf29ce484222325;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        hash = (hash ^ word) * kPrime;
    }
    for (; at < bytes.size(); ++at)
        hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
    return hash;
}

void Seal(std::string& bytes, long long write) {
    bytes += kSealStart;
    bytes += std::to_string(write);
    bytes += ' ';
    char check[16];
    char* const end = std::to_chars(check, check + sizeof check, Checksum(bytes), 16).ptr;
    bytes.append(check, std::size_t(end - check));
    bytes += kSealEnd;
}

// The n of the write that seals a configuration file; 0 when no line seals it.
long long SealedWrite(const fs::path& file) {
    std::string bytes, error;
    if (!ReadRegularFile(FileName(file), kMaxConfigFileSize, bytes, error) || !bytes.ends_with(kSealEnd))
        return 0;
    const std::string_view text = bytes;
    const std::size_t start = text.rfind(kSealStart);
    if (start == std::string_view::npos || start + kSealStart.size() > text.size() - kSealEnd.size())
        return 0;
    const char* const end = text.data() + text.size() - kSealEnd.size();
    long long write = 0;
    std::uint64_t check = 0;
    const auto [writeEnd, writeFailure] =
        std::from_chars(text.data() + start + kSealStart.size(), end, write);
    if (writeFailure != std::errc() || writeEnd == end || *writeEnd != ' ')
        return 0;
    const auto [checkEnd, checkFailure] = std::from_chars(writeEnd + 1, end, check, 16);
    const std::string_view sealed = text.substr(0, std::size_t(writeEnd + 1 - text.data()));
    return checkFailure == std::errc() && checkEnd == end && Checksum(sealed) == check ? write : 0;
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
    // A folder others may reach would give them the configuration, or let them plant links to the
    // user's files under the names written.
    if (std::string refused = MakePrivateFolder(folder_); !refused.empty()) {
        error = std::move(refused);
        return false;
    }
    // The path first, the configurations of another file gone: a configuration is never found beside
    // the path of another file.
    if (editedFileWritten_ != editedFile) {
        removeConfigurations();
        editedFileWritten_.reset();
        if (const int failure = PutInPlace(folder_, name_ + ".path", editedFile)) {
            error = SystemErrorText(failure);
            return false;
        }
        editedFileWritten_ = editedFile;
    }
    std::string configuration = WriteConfig(model);
    Seal(configuration, written_ + 1);
    if (const int failure = WriteWholeFile(slot(written_ % kSlots + 1), configuration)) {
        error = SystemErrorText(failure);
        return false;
    }
    ++written_;
    return true;
}

fs::path RecoveryFile::slot(int which) const {
    return folder_ / (name_ + '.' + std::to_string(which) + ".xml");
}

void RecoveryFile::removeConfigurations() {
    std::error_code ignored;
    for (int which = 1; which <= kSlots; ++which)
        fs::remove(slot(which), ignored);
}

void RecoveryFile::remove() {
    removeConfigurations();
    std::error_code ignored;
    fs::remove(folder_ / (name_ + ".path"), ignored);
    editedFileWritten_.reset();
}

RecoveryFile OwnRecoveryFile() {
    const long pid = CurrentProcessId();
    long long start = ProcessStartTime(pid);
    if (start == 0)
        start = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                    .count();
    return RecoveryFile(RecoveryFolder(), pid, start);
}

std::vector<Leftover> FindLeftovers(const RecoveryFile& own) {
    const fs::path& folder = own.folder();
    const long ownPid = CurrentProcessId();
    // By name: the latest configuration (the highest sealed write, else the highest n) and the leftover.
    std::map<std::string, std::pair<std::pair<long long, long>, Leftover>> found;
    std::error_code error;
    if (!PrivateFolderProblem(folder).empty())
        return {}; // what another user could have planted is not offered

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
            (pid != ownPid && ProcessRunning(pid, start)) || !entry.is_regular_file(error) ||
            entry.is_symlink(error))
            continue;
        auto& [latest, leftover] = found[name];
        leftover.files.push_back(entry.path());
        if (const std::pair rank{SealedWrite(entry.path()), n}; rank > latest || leftover.file.empty()) {
            latest = rank;
            leftover.file = entry.path();
            leftover.written = std::chrono::file_clock::to_sys(entry.last_write_time(error));
        }
    }
    std::vector<Leftover> leftovers;
    for (auto& [name, latestAndLeftover] : found) {
        Leftover& leftover = latestAndLeftover.second;
        leftover.files.push_back(folder / (name + ".path"));
        std::string unread;
        if (!fs::is_symlink(leftover.files.back(), error)) // a link could show any file's text
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
