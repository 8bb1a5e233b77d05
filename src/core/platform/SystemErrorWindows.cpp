#include "SystemError.h"
#include "Win32.h"

#include <system_error>
#include <windows.h>

namespace velto {

std::string SystemErrorText(int error) {
    return std::generic_category().message(error);
}

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::wstring FullWidePath(const std::string& path) {
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty() || wide.find(L'\0') != std::wstring::npos)
        return {};
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = ::GetFullPathNameW(wide.c_str(), DWORD(full.size()), full.data(), nullptr);
        if (size == 0)
            return {};
        if (size < full.size()) {
            full.resize(size);
            return full;
        }
        full.resize(size);
    }
}

std::optional<std::wstring> FinalWidePath(const std::wstring& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::wstring final(MAX_PATH, L'\0');
    DWORD size = ::GetFinalPathNameByHandleW(handle, final.data(), DWORD(final.size()), VOLUME_NAME_DOS);
    if (size >= final.size()) {
        final.resize(size);
        size = ::GetFinalPathNameByHandleW(handle, final.data(), DWORD(final.size()), VOLUME_NAME_DOS);
    }
    ::CloseHandle(handle);
    if (size == 0 || size >= final.size())
        return std::nullopt;
    final.resize(size);
    // "\\?\C:\..." is given back as "C:\...".
    if (final.starts_with(L"\\\\?\\") && final.size() > 6 && final[5] == L':')
        final.erase(0, 4);
    return final;
}

std::string Win32ErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD size = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring_view view(text ? text : L"", size);
    while (!view.empty() &&
           (view.back() == L'\n' || view.back() == L'\r' || view.back() == L' ' || view.back() == L'.'))
        view.remove_suffix(1);
    std::string result = view.empty() ? "Windows error " + std::to_string(code) : Utf8FromWide(view);
    ::LocalFree(text);
    return result;
}

} // namespace velto
