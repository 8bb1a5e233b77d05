#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text encodings met in conf.xml: UTF-8 inside the program, Windows-1252 in files written by older
// versions, and the pure-ASCII attribute values the writer produces.
namespace velto {

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the control characters with the same numbers.
std::size_t Windows1252Utf8Length(std::string_view bytes);
char* Windows1252ToUtf8(std::string_view bytes, char* out); // out holds Windows1252Utf8Length bytes
std::string Windows1252ToUtf8(std::string_view bytes);

// The offset in bytes of the Windows-1252 character whose UTF-8 form starts at utf8Offset.
std::size_t Windows1252OffsetOf(std::string_view bytes, std::size_t utf8Offset);

// Appends a UTF-8 text for use between the double quotes of an XML attribute, in pure ASCII: & < > "
// as entity references, control characters and everything above U+007F as decimal character
// references. A byte that is not part of a well-formed UTF-8 sequence stands for U+FFFD.
void AppendXmlAttribute(std::string& out, std::string_view utf8);

// The number of characters of a UTF-8 text (an ill-formed byte counts as one).
std::size_t CountCharacters(std::string_view utf8);

} // namespace velto
