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

// An id sorts after those of the file's earlier versions (given newest first): the time in milliseconds
// in 16 digits, or just past the newest id's when two saves share a millisecond or the clock has gone
// back, then the start of the bytes' digest.
std::string NewId(long long keptMs, const std::vector<std::string>& earlier, const std::string& sha256) {
    long long newest = 0;
    if (!earlier.empty() && earlier.front().size() >= 16 &&
        std::from_chars(earlier.front().data(), earlier.front().data() + 16, newest).ec == std::errc())
        keptMs = std::max(keptMs, newest + 1);
    std::string millis = std::to_string(keptMs);
    return std::string(16 - std::min<std::size_t>(16, millis.size()), '0') + millis + '-' +
           sha256.substr(0, 16);
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

// A folder of versions as the names of its files tell it, read without the descriptions (reading them
// at each save would take as long as the rest of keeping a version).
struct VersionFiles {
    std::vector<std::string> ids; // whose bytes and description are both there as files, newest first
    std::vector<std::pair<std::string, fs::path>> files; // each named as a version's bytes or description,
                                                         // with its id
};

VersionFiles ListVersionFiles(const fs::path& folder) {
    static_assert(kBytesEnding.size() == kDescriptionEnding.size());
    VersionFiles found;
    std::set<std::string> withBytes;
    std::error_code failure;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure)) {
        std::string id = FileName(entry.path().filename());
        const bool bytes = id.ends_with(kBytesEnding);
        if (!bytes && !id.ends_with(kDescriptionEnding))
            continue;
        id.resize(id.size() - kBytesEnding.size());
        const bool file = !entry.is_symlink(failure) && entry.is_regular_file(failure);
        if (file && bytes)
            withBytes.insert(id);
        else if (file)
            found.ids.push_back(id);
        found.files.emplace_back(std::move(id), entry.path());
    }
    std::erase_if(found.ids, [&](const std::string& id) { return !withBytes.contains(id); });
    std::sort(found.ids.rbegin(), found.ids.rend());
    return found;
}

// The version its description in the folder gives; none when the description cannot be read or is
// damaged.
std::optional<KeptVersion> ReadVersion(const fs::path& folder, std::string id) {
    std::string description, unread;
    if (!ReadRegularFile(FileName(folder / (id + std::string(kDescriptionEnding))), kMostDescriptionBytes,
                         description, unread))
        return std::nullopt;
    return ParseVersion(std::move(id), description);
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
    return root_ / Sha256Hex(FileName(ResolvedPath(FilePath(path)))).substr(0, 32);
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
    const std::string sameBytesEnding = '-' + version.sha256.substr(0, 16);
    const std::vector<std::string> earlier = ListVersionFiles(folder).ids;
    for (const std::string& id : earlier) {
        if (!id.ends_with(sameBytesEnding))
            continue;
        if (const std::optional<KeptVersion> kept = ReadVersion(folder, id);
            kept && kept->sha256 == version.sha256)
            return true;
    }
    if (const auto then = ReadConfiguration(replaced))
        version.changes = ChangedRecords(*then, now);
    version.id = NewId(version.keptMs, earlier, version.sha256);

    const std::string full = FileName(ResolvedPath(FilePath(path)));
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
    const fs::path folder = folderOf(path);
    if (!PrivateFolderProblem(folder).empty())
        return;
    const VersionFiles found = ListVersionFiles(folder);
    const std::set<std::string> staying(
        found.ids.begin(),
        found.ids.begin() + std::ptrdiff_t(std::min<std::size_t>(found.ids.size(), keptCount())));
    std::error_code failure;
    for (const auto& [id, file] : found.files)
        if (!staying.contains(id))
            fs::remove(file, failure);
}

std::vector<KeptVersion> VersionStore::versions(const std::string& path, std::string& error) const {
    const fs::path folder = folderOf(path);
    std::vector<KeptVersion> found;
    std::error_code failure;
    if (!fs::exists(fs::symlink_status(folder, failure)))
        return found;
    if ((error = PrivateFolderProblem(folder)).empty()) {
        for (std::string& id : ListVersionFiles(folder).ids)
            if (std::optional<KeptVersion> version = ReadVersion(folder, std::move(id)))
                found.push_back(std::move(*version));
    }
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
