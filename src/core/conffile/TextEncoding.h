#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text encodings met in conf.xml: UTF-8 inside the program, Windows-1252 in files written by older
// versions, and the pure-ASCII attribute values the writer produces.
namespace velto {

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Whether an attribute value as the XML parser leaves it, told not to replace references, is already
// the text it stands for: well-formed UTF-8 without any "&".
bool IsPlainAttributeValue(std::string_view value);
// Whether a whole text is ASCII without any "&": then so is every attribute value parsed from it. Far
// quicker per byte than a look at each value.
bool IsAsciiWithoutReferences(std::string_view text);

// Such a value as UTF-8 text, each value on its own: well-formed UTF-8 is taken as it is, any other
// value as Windows-1252, the code page older versions wrote; the references &lt; &gt; &amp; &quot;
// &apos; &#N; &#xN; are replaced. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters with the same numbers. A reference to no character (0, a
// surrogate, above U+10FFFF) gives U+FFFD; an "&" that starts no reference stays as it is.
std::string AttributeValueToUtf8(std::string_view value);

// A text as UTF-8: well-formed UTF-8 as it is, anything else as Windows-1252.
std::string TextToUtf8(std::string_view bytes);

// Whether bytes start with a UTF-16 byte-order mark.
bool HasUtf16ByteOrderMark(std::string_view bytes);

// UTF-16 text after its byte-order mark as UTF-8; a lone surrogate or an odd last byte gives U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes);

// Appends a UTF-8 text for use between the double quotes of an XML attribute, in pure ASCII that
// XML 1.0 accepts: & < > " as entity references; tab, line feed, carriage return, DEL and everything
// above U+007F as decimal character references; characters XML 1.0 does not allow (the other control
// characters, U+FFFE, U+FFFF) and bytes that are not part of a well-formed UTF-8 sequence as U+FFFD.
void AppendXmlAttribute(std::string& out, std::string_view utf8);

// Appends one character in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// The number of characters of a UTF-8 text (an ill-formed byte counts as one).
std::size_t CountCharacters(std::string_view utf8);

// The most characters of a text that any view of it shows (a grid cell, a list, a question, the
// report): no view is that wide, and a longer text would cost without bound to lay out and draw (a
// name of millions of characters).
inline constexpr std::size_t kMostShownCharacters = 256;

// A UTF-8 text as a view shows it: whole when it has at most kMostShownCharacters characters, else
// that many (never part of one) and an ellipsis.
std::string ShortenedText(std::string_view utf8);

// A text for one line of a terminal or a box: control characters and bytes that are not part of a
// well-formed UTF-8 sequence as \x1b, \x9b, those of the C1 range as \u009b, so that no file can break
// a line or drive the terminal.
std::string EscapeControls(std::string_view text);

} // namespace velto
