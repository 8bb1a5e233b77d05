#include "NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace velto {
namespace {

struct LeadingCase {
    const char* text;
    double value;
};

TEST(NumberText, LeadingNumberTakesTheLongestLeadingNumber) {
    // clang-format off
    const LeadingCase cases[] = {
        {"", 0}, {"abc", 0}, {"12", 12}, {"07", 7}, {"0099", 99}, {"-3.5", -3.5}, {"+4", 4}, {"-", 0},
        // blanks inside are skipped, but not a carriage return
        {"1 2", 12}, {" \t1\n5x", 15}, {"- 7", -7}, {"1\r2", 1},
        {"4100abc", 4100}, {"1.5.5", 1.5}, {".5", 0.5}, {"5.", 5},
        {"2e3", 2000}, {"2D2", 200}, {"2e", 2}, {"2e+", 2},
        {"&H1F", 31}, {"&hff", 255}, {"&O17", 15}, {"&O9", 0}, {"&X1", 0},
        // beyond a double: infinity above, zero below the smallest subnormal, which itself stays
        {"1e400", INFINITY}, {"-0.01e311", -INFINITY}, {"123e-330", 0}, {"0.0001e-320", 0}, {"5e-324", 5e-324},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, WholeNumberNeedsTheWholeText) {
    const LeadingCase accepted[] = {{"12", 12},   {" 12 ", 12}, {"07", 7},    {"-1", -1},
                                    {"0.5", 0.5}, {"1e2", 100}, {"&H10", 16}, {"\t3\r\n", 3}};
    for (const auto& c : accepted) {
        auto value = WholeNumber(c.text);
        ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(*value, c.value) << '"' << c.text << '"';
    }
    for (const char* text : {"", " ", "1 2", "12a", "a12", "1e", "--1", ".", "&H", "1.2.3"})
        EXPECT_FALSE(WholeNumber(text).has_value()) << '"' << text << '"';
}

TEST(NumberText, RoundsHalvesToEven) {
    const std::pair<double, long long> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0},
                                                  {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {99.5, 100}};
    for (auto [in, out] : cases)
        EXPECT_EQ(RoundHalfEven(in), out) << in;
    EXPECT_FALSE(RoundHalfEven(INFINITY).has_value());
    EXPECT_FALSE(RoundHalfEven(1e300).has_value());
}

TEST(NumberText, ShortestDecimalAndLeadingDigits) {
    EXPECT_EQ(ShortestDecimal(LeadingNumber("04100")), "4100");
    EXPECT_EQ(ShortestDecimal(4100.5), "4100.5");
    EXPECT_EQ(LeadingDigitsValue(""), 0);
    EXPECT_EQ(LeadingDigitsValue("05"), 5);
    EXPECT_EQ(LeadingDigitsValue("40a1"), 40);
    EXPECT_EQ(LeadingDigitsValue("99999999999999999999"), 1'000'000'000'000LL);
}

} // namespace
} // namespace velto
