#include "FileBytes.h"
#include "SystemError.h"
#include "Win32.h"

#include <cerrno>
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

} // namespace velto
