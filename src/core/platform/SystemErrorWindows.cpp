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
