#include "NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace velto {
namespace {

// The longest leading number of a text, and the number the whole text is (none when it is not one).
TEST(NumberText, LeadingAndWholeNumbers) {
    // clang-format off
    const struct { const char* text; double leading; std::optional<double> whole; } cases[] = {
        {"", 0, {}}, {" ", 0, {}}, {"abc", 0, {}}, {"12", 12, 12}, {"07", 7, 7}, {"0099", 99, 99},
        {"-3.5", -3.5, -3.5}, {"+4", 4, 4}, {"-", 0, {}}, {"--1", 0, {}}, {".", 0, {}},
        // blanks inside are skipped, but not a carriage return; around a whole number they all are
        {"1 2", 12, {}}, {" \t1\n5x", 15, {}}, {"- 7", -7, {}}, {"1\r2", 1, {}}, {" \t3\r\n", 3, 3},
        {"4100abc", 4100, {}}, {"1.5.5", 1.5, {}}, {".5", 0.5, 0.5}, {"5.", 5, 5},
        {"2e3", 2000, 2000}, {"2D2", 200, 200}, {"2e", 2, {}}, {"2e+", 2, {}},
        {"&H1F", 31, 31}, {"&hff", 255, 255}, {"&O17", 15, 15}, {"&O9", 0, {}}, {"&X1", 0, {}}, {"&H", 0, {}},
        // beyond a double: infinity above, zero below the smallest subnormal, which itself stays
        {"1e400", INFINITY, INFINITY}, {"-0.01e311", -INFINITY, -INFINITY}, {"123e-330", 0, 0},
        {"0.0001e-320", 0, 0}, {"5e-324", 5e-324, 5e-324},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.leading) << '"' << c.text << '"';
        EXPECT_EQ(WholeNumber(c.text), c.whole) << '"' << c.text << '"';
    }
}

TEST(NumberText, RoundingAndDigits) {
    const std::pair<double, std::optional<long long>> rounded[] = {
        {0.5, 0}, {-1.5, -2}, {2.5, 2}, {2.5001, 3}, {99.5, 100}, {INFINITY, {}}, {1e300, {}}};
    for (auto [in, out] : rounded)
        EXPECT_EQ(RoundHalfEven(in), out) << in;
    const std::pair<const char*, long long> digits[] = {
        {"", 0}, {"05", 5}, {"40a1", 40}, {"99999999999999999999", 1'000'000'000'000LL}};
    for (auto [text, value] : digits)
        EXPECT_EQ(LeadingDigitsValue(text), value) << text;
}

} // namespace
} // namespace velto
