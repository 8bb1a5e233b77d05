#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

TEST(TextEncoding, Utf8Validity) {
    // clang-format off
    const std::pair<std::string, bool> cases[] = {
        {"", true}, {"plain ASCII text, long enough for the eight-byte steps", true},
        {"caff\xC3\xA8 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF", true},
        {std::string("nul\0inside", 10), true}, {"\xEF\xBB\xBF<a/>", true},
        // Windows-1252, cut short, a stray continuation byte, overlong in two and three bytes, a
        // surrogate, above U+10FFFF, after an all-ASCII word
        {"caff\xE8", false}, {"\xC3", false}, {"\xE2\x82", false}, {"\xC3\xA8\xA8", false},
        {"\xC0\xAF", false}, {"\xE0\x9F\xBF", false}, {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},
        {"\xF5\x80\x80\x80", false}, {"12345678\xFF", false},
    };
    // clang-format on
    for (const auto& [bytes, valid] : cases)
        EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

// Each value on its own: UTF-8 where it is well-formed, Windows-1252 otherwise.
TEST(TextEncoding, AttributeValues) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"\xE8\xE0\xF9\xFF", "\u00e8\u00e0\u00f9\u00ff"},
        {"\x80\x85\x8A\x99\x9F", "\u20ac\u2026\u0160\u2122\u0178"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008d\u008f\u0090\u009d"},
        {"\xA0\xA9", "\u00a0\u00a9"},
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&#233;&#xE9;&#xe9;&#128512;&#x10FFFF;", "\u00e9\u00e9\u00e9\U0001F600\U0010FFFF"},
        {"&#0;&#xD800;&#x110000;&#99999999999;", "\ufffd\ufffd\ufffd\ufffd"},
        {"& &amp &#; &#x; &#12 &#x1G; &unknown; &", "& &amp &#; &#x; &#12 &#x1G; &unknown; &"},
        {"\xE8&#232;", "\u00e8\u00e8"},
        {"Caff\xC3\xA8 &amp; \xE2\x82\xAC", "Caff\u00e8 & \u20ac"},
        {"\xC3\xA8\xE8", "\u00c3\u00a8\u00e8"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(AttributeValueToUtf8(value), text) << value;
}

TEST(TextEncoding, Utf16) {
    using namespace std::string_literals;
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"\xFF\xFE" "a\0\xE8\0"s, "a\u00e8"}, {"\xFE\xFF\0a\xD8\x3D\xDE\x00"s, "a\U0001F600"},
        {"\xFF\xFE\x00\xD8" "a\0"s, "\ufffda"}, // a lone surrogate
        {"\xFF\xFE" "a\0b"s, "a\ufffd"},        // an odd last byte
    };
    // clang-format on
    for (const auto& [bytes, text] : cases) {
        EXPECT_TRUE(HasUtf16ByteOrderMark(bytes));
        EXPECT_EQ(Utf16ToUtf8(bytes), text);
    }
}

} // namespace
} // namespace velto
