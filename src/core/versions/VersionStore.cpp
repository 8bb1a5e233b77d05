#include "VersionStore.h"

#include "ConfReader.h"
#include "FileBytes.h"
#include "Process.h"
#include "SafeSave.h"
#include "Sha256.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <memory>
#include <set>

namespace velto {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBytesEnding = ".xml", kDescriptionEnding = ".txt";
constexpr std::size_t kMostDescriptionBytes = 1 << 20;

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// An id sorts as its time: milliseconds in 16 digits, then the start of the bytes' digest.
std::string NewId(long long keptMs, const std::string& sha256) {
    std::string millis = std::to_string(keptMs);
    return std::string(16 - std::min<std::size_t>(16, millis.size()), '0') + millis + '-' +
           sha256.substr(0, 16);
}

// The file's full path, links resolved, as the folder of its versions is named after it.
fs::path FullPath(const std::string& path) {
    std::error_code ignored;
    return fs::weakly_canonical(fs::absolute(FilePath(path), ignored), ignored).lexically_normal();
}

// The system's save calls, but for the waits for the disk. A version is written whole under a temporary
// name and renamed into place, as any save is, but it does not wait for the disk itself: it is written
// before the file saved, whose flush on a file system that writes data before the names that lead to
// it (ext4's default) carries the version too, and elsewhere only the newest version is at risk in a
// power cut in the seconds after a save (readBytes then finds it damaged). Flushing it again would
// make each save take twice as long.
const SaveDevice& UnflushedDevice() {
    static const SaveDevice device{SystemSaveDevice().write, [](int) { return 0; },
                                   SystemSaveDevice().unnamedTemporaries};
    return device;
}

// Writes a file open to the user only, whatever the umask, through the safe save; a link where the
// file is to be is not written through. (A new name is not taken first by an empty file: a rename over
// a file makes some file systems flush it, which the versions do not wait for.)
bool PutPrivateFile(const fs::path& file, std::string_view bytes, std::string& error) {
    std::error_code unseen, failed;
    if (fs::is_symlink(fs::symlink_status(file, unseen))) {
        error = SystemErrorText(ELOOP);
        return false;
    }
    SaveError failure;
    if (!WriteFileAtomically(FileName(file), bytes, failure, UnflushedDevice())) {
        error = failure.reason;
        return false;
    }
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, failed);
    error = failed ? failed.message() : std::string();
    return !failed;
}

// The configuration the bytes hold; none when the reader cannot read them to their end.
std::unique_ptr<ConfigModel> ReadConfiguration(std::string_view bytes) {
    auto model = std::make_unique<ConfigModel>();
    std::string version;
    bool broken = false;
    const bool completed = LoadConfigBytes(bytes, *model, version, [&](const Notice& notice) {
        broken |= notice.kind == NoticeKind::CannotRead || notice.kind == NoticeKind::ParseFailure;
    });
    return completed && !broken ? std::move(model) : nullptr;
}

} // namespace

fs::path UserVersionsRoot() {
    const fs::path data = UserDataFolder();
    return data.empty() ? data : data / "velto-configurator" / "versions";
}

VersionStore::VersionStore(fs::path root) : root_(std::move(root)) {}

fs::path VersionStore::folderOf(const std::string& path) const {
    return root_ / Sha256Hex(FileName(FullPath(path))).substr(0, 32);
}

int VersionStore::keptCount() const {
    std::string text, error;
    std::error_code ignored;
    int count = 0;
    if (!fs::is_symlink(root_ / "keep", ignored) &&
        ReadRegularFile(FileName(root_ / "keep"), 16, text, error)) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), count);
        if (failure == std::errc() && end == text.data() + text.size() && count >= 0 &&
            count <= kMostVersionsKept)
            return count;
    }
    return kDefaultVersionsKept;
}

bool VersionStore::setKeptCount(int count, std::string& error) {
    if (root_.empty()) {
        error = SystemErrorText(ENOENT);
        return false;
    }
    error = MakePrivateFolder(root_);
    return error.empty() && PutPrivateFile(root_ / "keep", std::to_string(count) + '\n', error);
}

bool VersionStore::keep(const std::string& path, std::string_view replaced, const ConfigModel& now,
                        std::string& keptId, std::string& error) {
    keptId.clear();
    if (root_.empty()) {
        error = SystemErrorText(ENOENT);
        return false;
    }
    if (keptCount() == 0)
        return true;
    // Others could read the user's configurations in a folder open to them, or plant links in it.
    if ((error = MakePrivateFolder(root_)).empty())
        error = MakePrivateFolder(folderOf(path));
    if (!error.empty())
        return false;
    const fs::path folder = folderOf(path);
    KeptVersion version{{}, NowMs(), replaced.size(), Sha256Hex(replaced), std::nullopt};
    const std::vector<KeptVersion> kept = versions(path, error);
    if (std::any_of(kept.begin(), kept.end(),
                    [&](const KeptVersion& v) { return v.sha256 == version.sha256; }))
        return true;
    if (const auto then = ReadConfiguration(replaced))
        version.changes = ChangedRecords(*then, now);
    version.id = NewId(version.keptMs, version.sha256);

    const std::string full = FileName(FullPath(path));
    std::string recorded;
    if (!ReadRegularFile(FileName(folder / "path"), full.size() + 1, recorded, error) || recorded != full) {
        if (!PutPrivateFile(folder / "path", full, error))
            return false;
    }
    if (!PutPrivateFile(folder / (version.id + std::string(kBytesEnding)), replaced, error) ||
        !PutPrivateFile(folder / (version.id + std::string(kDescriptionEnding)), DescribeVersion(version),
                        error)) {
        drop(path, version.id);
        return false;
    }
    error.clear();
    keptId = version.id;
    return true;
}

void VersionStore::drop(const std::string& path, const std::string& id) {
    std::error_code ignored;
    const fs::path folder = folderOf(path);
    fs::remove(folder / (id + std::string(kDescriptionEnding)), ignored);
    fs::remove(folder / (id + std::string(kBytesEnding)), ignored);
}

void VersionStore::prune(const std::string& path) {
    std::string error;
    const std::vector<KeptVersion> kept = versions(path, error);
    if (!error.empty())
        return;
    std::set<std::string> staying;
    for (std::size_t i = 0; i < kept.size() && i < std::size_t(keptCount()); ++i)
        staying.insert(kept[i].id);
    std::error_code failure;
    for (const fs::directory_entry& entry : fs::directory_iterator(folderOf(path), failure)) {
        const fs::path name = entry.path().filename();
        const std::string ending = name.extension().string();
        if ((ending == kBytesEnding || ending == kDescriptionEnding) &&
            !staying.contains(name.stem().string()))
            fs::remove(entry.path(), failure);
    }
}

std::vector<KeptVersion> VersionStore::versions(const std::string& path, std::string& error) const {
    const fs::path folder = folderOf(path);
    std::vector<KeptVersion> found;
    std::error_code failure;
    if (!fs::exists(fs::symlink_status(folder, failure)))
        return found;
    if ((error = PrivateFolderProblem(folder)).empty()) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure)) {
            const fs::path name = entry.path().filename();
            std::string description, unread;
            if (name.extension() != kDescriptionEnding || entry.is_symlink(failure) ||
                !fs::is_regular_file(fs::symlink_status(
                    folder / (name.stem().string() + std::string(kBytesEnding)), failure)) ||
                !ReadRegularFile(FileName(entry.path()), kMostDescriptionBytes, description, unread))
                continue;
            if (std::optional<KeptVersion> version = ParseVersion(name.stem().string(), description))
                found.push_back(std::move(*version));
        }
    }
    std::sort(found.begin(), found.end(),
              [](const KeptVersion& a, const KeptVersion& b) { return a.id > b.id; });
    return found;
}

bool VersionStore::readBytes(const std::string& path, const KeptVersion& version, std::string& bytes,
                             std::string& error) const {
    const fs::path file = folderOf(path) / (version.id + std::string(kBytesEnding));
    std::error_code failure;
    if (fs::is_symlink(file, failure)) {
        error = SystemErrorText(ELOOP);
        return false;
    }
    if (!ReadRegularFile(FileName(file), kMaxConfigFileSize, bytes, error))
        return false;
    if (Sha256Hex(bytes) == version.sha256)
        return true;
    bytes.clear();
    error = std::string(kVersionDamaged);
    return false;
}

} // namespace velto
