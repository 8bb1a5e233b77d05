#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace velto {
namespace {

// Decodes the UTF-8 character at p and returns its length in bytes, or 0 when the bytes there do not
// form a well-formed sequence.
std::size_t DecodeUtf8(const unsigned char* p, std::size_t available, char32_t& codePoint) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (p[i] & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

constexpr char32_t kReplacement = 0xFFFD;

// The bytes that stand for themselves in an attribute value: printable ASCII but the four that XML
// escapes there. One look in the table settles a byte.
constexpr std::array<bool, 256> kPlainInAttribute = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[std::size_t(c)] = c != '&' && c != '<' && c != '>' && c != '"';
    return plain;
}();

// Whether XML 1.0 allows the character in a document.
bool IsXmlCharacter(char32_t c) {
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000;
}

// True when the 32 bytes at p are all ASCII.
bool AllAscii32(const unsigned char* p) {
    std::uint64_t words[4];
    std::memcpy(words, p, sizeof words);
    return ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL) == 0;
}

// Code points of the bytes 0x80..0x9F; from 0xA0 on the code page matches Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t Windows1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

char* EncodeUtf8(char32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

struct Reference {
    char32_t codePoint = 0;
    std::size_t length = 0; // 0 = no reference here
};

// The reference at the start of text, which starts with "&".
Reference ParseReference(std::string_view text) {
    constexpr std::pair<std::string_view, char> kNamed[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& [name, character] : kNamed) {
        if (text.substr(0, name.size()) == name)
            return {static_cast<char32_t>(character), name.size()};
    }
    if (text.size() < 3 || text[1] != '#')
        return {};
    const bool hexadecimal = text[2] == 'x';
    std::size_t i = hexadecimal ? 3 : 2;
    const std::size_t firstDigit = i;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hexadecimal && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hexadecimal && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            break;
        value = std::min<std::uint32_t>(value * (hexadecimal ? 16 : 10) + digit, 0x110000);
    }
    if (i == firstDigit || i == text.size() || text[i] != ';')
        return {};
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        value = kReplacement;
    return {value, i + 1};
}

void AppendCharacterReference(std::string& out, char32_t codePoint) {
    char digits[16];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(codePoint));
    out += "&#";
    out.append(digits, end);
    out += ';';
}

} // namespace

void AppendUtf8(std::string& out, char32_t codePoint) {
    char bytes[4];
    out.append(bytes, EncodeUtf8(codePoint, bytes));
}

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        if (size - i >= 32 && AllAscii32(p + i)) {
            i += 32;
            continue;
        }
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t codePoint;
        const std::size_t length = DecodeUtf8(p + i, size - i, codePoint);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

bool IsPlainAttributeValue(std::string_view value) {
    // Most values are short and plain ASCII: one look at each byte settles them.
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c == '&')
            return false;
        if (c >= 0x80)
            return value.find('&', i) == std::string_view::npos && IsValidUtf8(value.substr(i));
    }
    return true;
}

bool IsAsciiWithoutReferences(std::string_view text) {
    unsigned char bits = 0; // every byte or-ed in, in a loop the compiler makes wide
    for (const char c : text)
        bits |= static_cast<unsigned char>(c);
    return bits < 0x80 && text.find('&') == std::string_view::npos;
}

std::string AttributeValueToUtf8(std::string_view value) {
    const bool utf8 = IsValidUtf8(value);
    // Two passes, so that a long value is built in one allocation of the exact size: the first only
    // counts the bytes the second writes.
    auto decode = [value, utf8](auto&& emitRun, auto&& emitCodePoint) {
        std::size_t runFrom = 0;
        for (std::size_t i = 0; i < value.size();) {
            const auto byte = static_cast<unsigned char>(value[i]);
            if ((byte < 0x80 || utf8) && byte != '&') {
                ++i;
                continue;
            }
            emitRun(value.substr(runFrom, i - runFrom));
            const Reference reference = byte == '&' ? ParseReference(value.substr(i)) : Reference{};
            if (reference.length != 0) {
                emitCodePoint(reference.codePoint);
                i += reference.length;
            } else {
                emitCodePoint(Windows1252CodePoint(byte));
                ++i;
            }
            runFrom = i;
        }
        emitRun(value.substr(runFrom));
    };
    std::size_t length = 0;
    decode([&](std::string_view run) { length += run.size(); },
           [&](char32_t codePoint) {
               char bytes[4];
               length += static_cast<std::size_t>(EncodeUtf8(codePoint, bytes) - bytes);
           });
    std::string text;
    text.reserve(length);
    decode([&](std::string_view run) { text += run; },
           [&](char32_t codePoint) { AppendUtf8(text, codePoint); });
    return text;
}

std::string TextToUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes)
        AppendUtf8(text, Windows1252CodePoint(static_cast<unsigned char>(byte)));
    return text;
}

bool HasUtf16ByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string Utf16ToUtf8(std::string_view bytes) {
    const bool bigEndian = bytes[0] == '\xFE';
    const auto unit = [&](std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? first << 8 | second : second << 8 | first;
    };
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 2;
    for (; at + 1 < bytes.size(); at += 2) {
        char32_t codePoint = unit(at);
        const bool high = codePoint >= 0xD800 && codePoint <= 0xDBFF;
        if (high && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
            at += 2;
        } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = kReplacement;
        }
        AppendUtf8(text, codePoint);
    }
    if (at < bytes.size())
        AppendUtf8(text, kReplacement);
    return text;
}

void AppendXmlAttribute(std::string& out, std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t plainFrom = 0;
    std::size_t i = 0;
    while (i < size) {
        const unsigned char c = p[i];
        if (kPlainInAttribute[c]) {
            ++i;
            continue;
        }
        out.append(utf8.data() + plainFrom, i - plainFrom);
        switch (c) {
        case '&':
            out += "&amp;";
            ++i;
            break;
        case '<':
            out += "&lt;";
            ++i;
            break;
        case '>':
            out += "&gt;";
            ++i;
            break;
        case '"':
            out += "&quot;";
            ++i;
            break;
        default: {
            char32_t codePoint = c;
            const std::size_t length = c < 0x80 ? 1 : DecodeUtf8(p + i, size - i, codePoint);
            const bool wellFormed = length != 0;
            AppendCharacterReference(out, wellFormed && IsXmlCharacter(codePoint) ? codePoint : kReplacement);
            i += wellFormed ? length : 1;
        }
        }
        plainFrom = i;
    }
    out.append(utf8.data() + plainFrom, size - plainFrom);
}

std::size_t CountCharacters(std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint;
        const std::size_t length = DecodeUtf8(p + i, utf8.size() - i, codePoint);
        i += length == 0 ? 1 : length;
        ++count;
    }
    return count;
}

std::string ShortenedText(std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t end = 0;
    for (std::size_t count = 0; end < utf8.size() && count < kMostShownCharacters; ++count) {
        char32_t codePoint;
        const std::size_t length = DecodeUtf8(p + end, utf8.size() - end, codePoint);
        end += length == 0 ? 1 : length;
    }
    return end == utf8.size() ? std::string(utf8) : std::string(utf8.substr(0, end)) + "\u2026";
}

std::string EscapeControls(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::string shown;
    char code[8];
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(p + i, text.size() - i, codePoint);
        if (length == 0 || codePoint < 0x20 || codePoint == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02x", p[i]);
            shown += code;
            ++i;
            continue;
        }
        if (codePoint >= 0x80 && codePoint < 0xA0) {
            std::snprintf(code, sizeof code, "\\u%04x", unsigned(codePoint));
            shown += code;
        } else {
            shown.append(text.substr(i, length));
        }
        i += length;
    }
    return shown;
}

} // namespace velto
