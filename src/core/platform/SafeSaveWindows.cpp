#include "FileBytes.h"
#include "SafeSave.h"
#include "SystemError.h"
#include "Win32.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <utility>
#include <windows.h>

namespace velto {
namespace {

// Hidden files beside the target, named ".<target's name><tag><process>-<n>", so that the next save
// of the same file knows them as its own.
constexpr std::wstring_view kTemporaryTag = L".velto-save-";
constexpr std::wstring_view kBackupTag = L".velto-backup-";
constexpr int kMostAttempts = 100;
// Windows has a code for it, but not every version a text.
constexpr std::string_view kReadOnlyFile = "The file is read-only";

// A C runtime descriptor over a Windows handle (closing one closes both), so that the save device's
// calls are the same as elsewhere.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(HANDLE handle) {
        if (handle == INVALID_HANDLE_VALUE)
            return;
        fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
        if (fd_ < 0)
            ::CloseHandle(handle);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() { Close(); }
    void Close() {
        if (fd_ >= 0)
            ::_close(std::exchange(fd_, -1));
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// What went wrong: an errno value (from the save device), a Win32 code, or a text of the program's own.
struct Failure {
    Failure(int code = 0, DWORD win32 = 0, std::string_view text = {})
        : code(code), win32(win32), text(text) {}

    int code;
    DWORD win32;
    std::string text;
    std::string note;    // said after the reason
    std::string subject; // the folder, where the folder refused; empty for the file

    explicit operator bool() const { return code != 0 || win32 != 0 || !text.empty(); }
    std::string Describe() const {
        return (!text.empty() ? text : win32 != 0 ? Win32ErrorText(win32) : SystemErrorText(code)) + note;
    }
};

Failure LastError() {
    return {0, ::GetLastError()};
}

struct Target {
    std::wstring file; // full path, links followed
    std::wstring folder;
    std::wstring name;
    bool exists = false;
    DWORD attributes = 0;
    DWORD links = 0;
    Descriptor opened; // the existing file, open for reading and writing
};

Failure Resolve(const std::string& path, Target& target) {
    if (path.empty())
        return {ENOENT};
    target.file = FullWidePath(path);
    if (target.file.empty() || target.file.ends_with(L'\\'))
        return {0, ERROR_INVALID_NAME};
    DWORD attributes = ::GetFileAttributesW(target.file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // A dangling link is left as it is: the save names the error.
        target.file = FinalWidePath(target.file).value_or(target.file);
        attributes = ::GetFileAttributesW(target.file.c_str());
    }
    const std::size_t slash = target.file.rfind(L'\\');
    target.folder = target.file.substr(0, slash);
    target.name = target.file.substr(slash + 1);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? Failure{} : LastError();
    target.exists = true;
    target.attributes = attributes;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return {EISDIR};
    // Replacing a read-only file would ignore its protection.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return {0, 0, kReadOnlyFile};
    // Opening it the way the save will write it finds a file another program holds without sharing,
    // and one the user may not write, before anything is written.
    target.opened = Descriptor(::CreateFileW(target.file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.opened)
        return LastError();
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(target.opened.get()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return LastError();
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        return {0, 0, kNotARegularFile};
    target.links = info.nNumberOfLinks;
    return {};
}

Failure WriteAll(const SaveDevice& device, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const long long written =
            device.write(fd, bytes.data(), std::min<std::size_t>(bytes.size(), 1u << 30));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return {errno};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

Failure Sync(const SaveDevice& device, int fd) {
    return device.sync(fd) == 0 ? Failure{} : Failure{errno};
}

// The names of this process's files beside the target, but for the number that ends them.
std::wstring StemBeside(const Target& target, std::wstring_view tag) {
    return target.folder + L"\\." + target.name + std::wstring(tag) +
           std::to_wstring(::GetCurrentProcessId()) + L"-";
}

bool NameTaken() {
    return ::GetLastError() == ERROR_FILE_EXISTS || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// A new hidden file beside the target, open for writing and shared with nobody, so that no other save
// takes it for a stale one.
Descriptor CreateBeside(const Target& target, std::wstring_view tag, std::wstring& name, Failure& failure) {
    const std::wstring stem = StemBeside(target, tag);
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        name = stem + std::to_wstring(attempt);
        Descriptor file(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (file)
            return file;
        if (!NameTaken())
            break;
    }
    failure = LastError();
    if (failure.win32 == ERROR_ACCESS_DENIED) // the folder takes no new file
        failure.subject = Utf8FromWide(target.folder);
    return {};
}

// Writes the bytes to a new file beside the target, flushed to disk and closed; a failure removes it.
Failure WriteBeside(const Target& target, std::wstring_view tag, std::string_view bytes,
                    const SaveDevice& device, std::wstring& name) {
    Failure failure;
    {
        const Descriptor file = CreateBeside(target, tag, name, failure);
        if (!file)
            return failure;
        failure = WriteAll(device, file.get(), bytes);
        if (!failure)
            failure = Sync(device, file.get());
    }
    if (failure)
        ::DeleteFileW(name.c_str());
    return failure;
}

// Copies the old contents to a backup beside the target: written under a temporary name, flushed, and
// only then renamed to a backup name, so that a backup name never holds a part of a file.
Failure WriteBackup(const Target& target, std::string_view old, const SaveDevice& device,
                    std::wstring& backupName) {
    std::wstring temporary;
    if (Failure failure = WriteBeside(target, kTemporaryTag, old, device, temporary))
        return failure;
    const std::wstring stem = StemBeside(target, kBackupTag);
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        backupName = stem + std::to_wstring(attempt);
        if (::MoveFileExW(temporary.c_str(), backupName.c_str(), MOVEFILE_WRITE_THROUGH))
            return {};
        if (!NameTaken())
            break;
    }
    const Failure failure = LastError();
    ::DeleteFileW(temporary.c_str());
    return failure;
}

Failure ReplaceByRename(Target& target, std::string_view bytes, const SaveDevice& device) {
    target.opened.Close();
    std::wstring temporary;
    Failure failure = WriteBeside(target, kTemporaryTag, bytes, device, temporary);
    if (failure)
        return failure;
    if (target.exists) {
        // ReplaceFileW keeps the old file's security descriptor, streams and attributes.
        if (!::ReplaceFileW(target.file.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                            nullptr, nullptr))
            failure = LastError();
        else if (::GetFileAttributesW(target.file.c_str()) != target.attributes)
            ::SetFileAttributesW(target.file.c_str(), target.attributes);
    } else {
        ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!::MoveFileExW(temporary.c_str(), target.file.c_str(), MOVEFILE_WRITE_THROUGH))
            failure = LastError();
    }
    if (failure)
        ::DeleteFileW(temporary.c_str());
    return failure;
}

Failure Overwrite(const SaveDevice& device, int fd, std::string_view bytes) {
    if (::_lseeki64(fd, 0, SEEK_SET) != 0)
        return {errno};
    if (Failure failure = WriteAll(device, fd, bytes))
        return failure;
    if (const int error = ::_chsize_s(fd, static_cast<long long>(bytes.size())))
        return {error};
    return Sync(device, fd);
}

// Every name of the file sees the new bytes.
Failure WriteInPlace(const Target& target, std::string_view bytes, const SaveDevice& device) {
    const int fd = target.opened.get();
    std::string old, error;
    if (!ReadRegularFile(Utf8FromWide(target.file), SIZE_MAX, old, error))
        return {0, 0, error};
    std::wstring backupName;
    Failure failure = WriteBackup(target, old, device, backupName);
    if (failure)
        return failure;
    failure = Overwrite(device, fd, bytes);
    if (failure && Overwrite(device, fd, old)) {
        // The backup is now the user's only copy: it is shown, not hidden.
        ::SetFileAttributesW(backupName.c_str(), FILE_ATTRIBUTE_NORMAL);
        failure.note = " (the previous contents are kept in " + Utf8FromWide(backupName) + ")";
        return failure;
    }
    ::DeleteFileW(backupName.c_str());
    return failure;
}

// Calls found with the full name of each file beside the target that a save of it made with the tag
// and that no save still holds (a save shares its files with nobody while it runs).
template <typename Found> void ForEachLeftover(const Target& target, std::wstring_view tag, Found found) {
    const std::wstring pattern = target.folder + L"\\." + target.name + std::wstring(tag) + L"*";
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const std::wstring name = target.folder + L"\\" + entry.cFileName;
        const HANDLE file =
            ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (::GetLastError() != ERROR_SHARING_VIOLATION)
                found(name, entry);
            continue;
        }
        ::CloseHandle(file);
        found(name, entry);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
}

// Removes the temporary files killed saves of the same target left behind. Their backups stay: one may
// hold the only complete copy of the file.
void RemoveStaleTemporaries(const Target& target) {
    ForEachLeftover(target, kTemporaryTag,
                    [](const std::wstring& stale, const WIN32_FIND_DATAW&) { ::DeleteFileW(stale.c_str()); });
}

} // namespace

const SaveDevice& SystemSaveDevice() {
    static const SaveDevice device{[](int fd, const void* data, std::size_t size) -> long long {
                                       return ::_write(fd, data, static_cast<unsigned>(size));
                                   },
                                   [](int fd) { return ::_commit(fd); }, false};
    return device;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, SaveError& error,
                         const SaveDevice& device) {
    Target target;
    Failure failure = Resolve(path, target);
    if (!failure)
        failure = target.exists && target.links > 1 ? WriteInPlace(target, bytes, device)
                                                    : ReplaceByRename(target, bytes, device);
    if (failure) {
        error = {failure.Describe(), failure.subject.empty() ? path : failure.subject};
        return false;
    }
    RemoveStaleTemporaries(target);
    return true;
}

std::vector<LeftoverBackup> FindLeftoverBackups(const std::string& path) {
    std::vector<LeftoverBackup> found;
    Target target;
    (void)Resolve(path, target); // a file the user may not write may still have a backup to tell of
    target.opened.Close();
    if (target.name.empty())
        return found;
    // Named beside the path as given ("conf.xml", ".conf.xml..."), or beside the file a link leads to.
    const std::string folder = target.file == FullWidePath(path)
                                   ? path.substr(0, path.find_last_of("\\/") + 1)
                                   : Utf8FromWide(target.folder) + "\\";
    ForEachLeftover(target, kBackupTag, [&](const std::wstring&, const WIN32_FIND_DATAW& entry) {
        ULARGE_INTEGER time{};
        time.LowPart = entry.ftLastWriteTime.dwLowDateTime;
        time.HighPart = entry.ftLastWriteTime.dwHighDateTime;
        // FILETIME counts 100 ns from 1601.
        const long long seconds = static_cast<long long>(time.QuadPart / 10'000'000) - 11'644'473'600LL;
        // The user's own folders are closed to other users by their ACL: no shared sticky folder here.
        found.push_back({folder + Utf8FromWide(entry.cFileName), seconds, true});
    });
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.modifiedSeconds > b.modifiedSeconds; });
    return found;
}

bool RemoveBackup(const std::string& backup, std::string& error) {
    const std::wstring wide = FullWidePath(backup);
    if (!wide.empty() && ::DeleteFileW(wide.c_str()))
        return true;
    error = Win32ErrorText(wide.empty() ? ERROR_INVALID_NAME : ::GetLastError());
    return false;
}

} // namespace velto
