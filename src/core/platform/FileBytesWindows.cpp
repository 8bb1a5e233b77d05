#include "FileBytes.h"
#include "SystemError.h"
#include "Win32.h"

#include <cerrno>
#include <io.h>
#include <windows.h>

namespace velto {

bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& error) {
    bytes.clear();
    const std::wstring wide = FullWidePath(path);
    // Folders open only with backup semantics; they are told apart below. Other programs may go on
    // reading, writing or renaming the file while it is read.
    const HANDLE file = wide.empty()
                            ? INVALID_HANDLE_VALUE
                            : ::CreateFileW(wide.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = Win32ErrorText(wide.empty() ? ERROR_INVALID_NAME : ::GetLastError());
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    if (!::GetFileInformationByHandle(file, &info)) {
        error = Win32ErrorText(::GetLastError());
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = SystemErrorText(EISDIR);
    } else if (::GetFileType(file) != FILE_TYPE_DISK) {
        error = kNotARegularFile;
    } else if (!::GetFileSizeEx(file, &size)) {
        error = Win32ErrorText(::GetLastError());
    } else if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        error = kFileTooLarge;
    } else {
        error.clear();
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
        char chunk[64 * 1024];
        DWORD count = 0;
        while (bytes.size() <= limit) {
            if (!::ReadFile(file, chunk, sizeof chunk, &count, nullptr)) {
                error = Win32ErrorText(::GetLastError());
                break;
            }
            if (count == 0)
                break;
            bytes.append(chunk, count);
        }
        if (error.empty() && bytes.size() > limit) // it grew while it was read
            error = kFileTooLarge;
    }
    ::CloseHandle(file);
    if (!error.empty())
        bytes.clear();
    return error.empty();
}

FileStamp StampOf(const std::string& path) {
    const std::wstring wide = FullWidePath(path);
    if (wide.empty())
        return {};
    const HANDLE file = ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!known)
        return {};
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    // FILETIME counts 100 ns from 1601; the stamp, nanoseconds from 1970.
    const auto modified = static_cast<std::int64_t>(
        join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
    return {true, info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
            join(info.nFileSizeHigh, info.nFileSizeLow), (modified - 116'444'736'000'000'000LL) * 100};
}

bool ReadRest(int fd, std::string& bytes, std::size_t limit) {
    char chunk[64 * 1024];
    while (bytes.size() <= limit) {
        const int count = ::_read(fd, chunk, sizeof chunk);
        if (count < 0)
            return false;
        if (count == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
    return true;
}

} // namespace velto
