#include "TextEncoding.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

using namespace std::string_literals;

// Each value on its own: UTF-8 where it is well-formed, Windows-1252 otherwise; references replaced.
TEST(TextEncoding, AttributeValues) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"nul\0inside"s, "nul\0inside"s}, {"\xEF\xBB\xBF<a/>", "\ufeff<a/>"},
        {"\xC3\xA8 \xE2\x82\xAC \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", "\u00e8 \u20ac \U00010000 \U0010FFFF"},
        // Windows-1252, cut short, a stray continuation byte, overlong in two and three bytes, a surrogate,
        // above U+10FFFF, before 32 ASCII bytes
        {"\xE8\xE0\xF9\xFF", "\u00e8\u00e0\u00f9\u00ff"}, {"\xC3", "\u00c3"}, {"\xE2\x82", "\u00e2\u201a"},
        {"\xC3\xA8\xA8", "\u00c3\u00a8\u00a8"}, {"\xC0\xAF", "\u00c0\u00af"},
        {"\xE0\x9F\xBF", "\u00e0\u0178\u00bf"}, {"\xED\xA0\x80", "\u00ed\u00a0\u20ac"},
        {"\xF4\x90\x80\x80", "\u00f4\u0090\u20ac\u20ac"}, {"\xF5\x81\x8D", "\u00f5\u0081\u008d"},
        {"\xE8" "0123456789abcdef0123456789abcdef", "\u00e8" "0123456789abcdef0123456789abcdef"},
        {"\x80\x85\x8A\x99\x9F", "\u20ac\u2026\u0160\u2122\u0178"},
        {"\x8F\x90\x9D\xA0\xA9", "\u008f\u0090\u009d\u00a0\u00a9"},
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&#233;&#xE9;&#xe9;&#128512;&#x10FFFF;", "\u00e9\u00e9\u00e9\U0001F600\U0010FFFF"},
        {"&#0;&#xD800;&#x110000;&#4294967393;", "\ufffd\ufffd\ufffd\ufffd"},
        {"& &amp &#; &#x; &#12 &#x1G; &unknown; &", "& &amp &#; &#x; &#12 &#x1G; &unknown; &"},
        {"\xE8&#232;", "\u00e8\u00e8"}, {"Caff\xC3\xA8 &amp; \xE2\x82\xAC", "Caff\u00e8 & \u20ac"},
    };
    // clang-format on
    for (const auto& [value, text] : cases)
        EXPECT_EQ(AttributeValueToUtf8(value), text) << value;
}

// The byte-order mark gives the order; a lone surrogate and an odd last byte are each replaced.
TEST(TextEncoding, Utf16) {
    EXPECT_TRUE(HasUtf16ByteOrderMark("\xFE\xFF"));
    EXPECT_EQ(Utf16ToUtf8("\xFF\xFE\x61\0\xE8\0\x00\xD8"s), "a\u00e8\ufffd");
    EXPECT_EQ(Utf16ToUtf8("\xFE\xFF\0a\xD8\x3D\xDE\x00\0"s), "a\U0001F600\ufffd");
}

// Nothing a file holds can break a line of the terminal or drive it: control characters, C1 characters
// and bytes that are not UTF-8 are written as escapes; the rest of the text is left as it is.
TEST(TextEncoding, EscapeControls) {
    const std::pair<std::string, std::string> cases[] = {
        {"Città\xC2\xA0\xE2\x82\xAC", "Città\xC2\xA0\xE2\x82\xAC"},
        {"a\x1b[2J\r\n\x7f", "a\\x1b[2J\\x0d\\x0a\\x7f"},
        {"\xC2\x9b\xC2\x85", "\\u009b\\u0085"},
        {"raw \x9b byte, \xE8 in Windows-1252", "raw \\x9b byte, \\xe8 in Windows-1252"},
        {"overlong \xC0\xAF, surrogate \xED\xA0\x80, cut \xE2\x82",
         "overlong \\xc0\\xaf, surrogate \\xed\\xa0\\x80, cut \\xe2\\x82"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(EscapeControls(text), shown) << text;
}

// A view shows 256 characters of a longer text and an ellipsis, cutting between characters, however many
// bytes each takes.
TEST(TextEncoding, ShortenedText) {
    using test::Repeat;
    for (const std::string character : {"x", "\u00e8", "\u20ac", "\U00010000"}) {
        EXPECT_EQ(ShortenedText(Repeat(character, 256)), Repeat(character, 256)) << character;
        EXPECT_EQ(ShortenedText(Repeat(character, 257)), Repeat(character, 256) + "\u2026") << character;
        EXPECT_EQ(ShortenedText(Repeat(character, 1'000'000)), Repeat(character, 256) + "\u2026")
            << character;
    }
}

} // namespace
} // namespace velto
