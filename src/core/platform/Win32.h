#pragma once

// Windows only: what the platform's Windows files share.

#include <optional>
#include <string>
#include <string_view>

namespace velto {

// UTF-8 to UTF-16 and back, for the wide calls (invalid sequences become U+FFFD).
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The full path of a UTF-8 path, with backslashes: some calls (ReplaceFileW among them, in places)
// take nothing else. Empty when the system cannot make one.
std::wstring FullWidePath(const std::string& path);

// The path of an existing file or folder as the system keeps it: links followed, each part's case and
// long name as on disk, without the "\\?\" prefix. None when it cannot be opened.
std::optional<std::wstring> FinalWidePath(const std::wstring& path);

// The system's description of a Win32 error code (GetLastError), without the final full stop and
// line break.
std::string Win32ErrorText(unsigned long code);

} // namespace velto
