#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text encodings met in conf.xml: UTF-8 inside the program, Windows-1252 in files written by older
// versions, and the pure-ASCII attribute values the writer produces.
namespace velto {

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// An attribute value of a Windows-1252 file as the XML parser leaves it when told not to replace
// references: the bytes are decoded to UTF-8 and the references &lt; &gt; &amp; &quot; &apos; &#N;
// &#xN; replaced. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become
// the control characters with the same numbers. A reference to no character (0, a surrogate, above U+10FFFF)
// gives U+FFFD; an "&" that starts no reference stays as it is.
std::string Windows1252AttributeToUtf8(std::string_view value);

// Appends a UTF-8 text for use between the double quotes of an XML attribute, in pure ASCII: & < > "
// as entity references, control characters and everything above U+007F as decimal character
// references. A byte that is not part of a well-formed UTF-8 sequence stands for U+FFFD.
void AppendXmlAttribute(std::string& out, std::string_view utf8);

// The number of characters of a UTF-8 text (an ill-formed byte counts as one).
std::size_t CountCharacters(std::string_view utf8);

} // namespace velto
