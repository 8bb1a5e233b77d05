#include "TextEncoding.h"

#include <array>
#include <charconv>
#include <cstdint>
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

bool AllAscii(const unsigned char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
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

std::size_t Utf8Length(char32_t codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

char* EncodeUtf8(char32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
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

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        if (size - i >= 8 && AllAscii(p + i)) {
            i += 8;
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

std::size_t Windows1252Utf8Length(std::string_view bytes) {
    std::size_t length = 0;
    for (unsigned char byte : bytes)
        length += Utf8Length(Windows1252CodePoint(byte));
    return length;
}

char* Windows1252ToUtf8(std::string_view bytes, char* out) {
    for (unsigned char byte : bytes)
        out = EncodeUtf8(Windows1252CodePoint(byte), out);
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text(Windows1252Utf8Length(bytes), '\0');
    Windows1252ToUtf8(bytes, text.data());
    return text;
}

std::size_t Windows1252OffsetOf(std::string_view bytes, std::size_t utf8Offset) {
    std::size_t offset = 0;
    for (std::size_t utf8 = 0; offset < bytes.size(); ++offset) {
        utf8 += Utf8Length(Windows1252CodePoint(static_cast<unsigned char>(bytes[offset])));
        if (utf8 > utf8Offset)
            break;
    }
    return offset;
}

void AppendXmlAttribute(std::string& out, std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t plainFrom = 0;
    std::size_t i = 0;
    while (i < size) {
        const unsigned char c = p[i];
        if (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>' && c != '"') {
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
            std::size_t length = c < 0x80 ? 1 : DecodeUtf8(p + i, size - i, codePoint);
            if (length == 0) {
                codePoint = 0xFFFD;
                length = 1;
            }
            AppendCharacterReference(out, codePoint);
            i += length;
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

} // namespace velto
