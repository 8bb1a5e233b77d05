#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace velto {
namespace {

struct Parsed {
    double value = 0;
    std::size_t length = 0; // characters that form the number; 0 = none
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c, int radix) {
    int d = -1;
    if (IsDigit(c))
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < radix ? d : -1;
}

Parsed ParseRadix(std::string_view s, int radix) {
    Parsed p;
    std::size_t i = 2;
    while (i < s.size() && DigitValue(s[i], radix) >= 0)
        p.value = p.value * radix + DigitValue(s[i++], radix);
    if (i > 2)
        p.length = i;
    return p;
}

// Whether a decimal number too large or too small for a double is the large kind: its first non-zero
// digit and its exponent put it at 1 or above.
bool IsOneOrAbove(std::string_view number) {
    const std::size_t exponentAt = std::min(number.find_first_of("eEdD"), number.size());
    const std::string_view mantissa = number.substr(0, exponentAt);
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    const auto first = static_cast<long long>(mantissa.find_first_of("123456789"));
    long long exponent = 0;
    for (const char c : number.substr(std::min(exponentAt + 1, number.size())))
        if (IsDigit(c))
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000'000LL);
    if (number.find('-', exponentAt) != std::string_view::npos)
        exponent = -exponent;
    return (first < point ? point - first - 1 : point - first) + exponent >= 0;
}

// The value of a decimal number already delimited: mantissa digits with at most one point, then an
// optional exponent. Whole numbers of up to 15 digits are exact as they are summed; anything else goes
// through from_chars, with a "D" exponent written as "E".
double DecimalValue(std::string_view number, bool plainInteger) {
    if (plainInteger && number.size() <= 15) {
        double value = 0;
        for (char c : number)
            value = value * 10 + (c - '0');
        return value;
    }
    std::string text(number);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == 'd' || c == 'D'; }, 'e');
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) // beyond the largest double, or below the smallest subnormal
        value = IsOneOrAbove(text) ? HUGE_VAL : 0.0;
    return value;
}

// The longest leading number of s (no blanks inside).
Parsed ParsePrefix(std::string_view s) {
    // Most numbers in a file are a few digits and nothing else: summed exactly, as below.
    std::uint32_t digitsValue = 0;
    std::size_t digits = 0;
    while (digits < s.size() && digits < 9 && IsDigit(s[digits]))
        digitsValue = digitsValue * 10 + std::uint32_t(s[digits++] - '0');
    if (digits > 0 && digits == s.size())
        return {double(digitsValue), digits};
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return ParseRadix(s, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return ParseRadix(s, 8);
        return {};
    }
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t start = i;
    std::size_t mantissaDigits = 0;
    bool plainInteger = true;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        plainInteger = false;
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return {};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t firstDigit = j;
        while (j < s.size() && IsDigit(s[j]))
            ++j;
        if (j > firstDigit) {
            plainInteger = false;
            i = j;
        }
    }
    const double value = DecimalValue(s.substr(start, i - start), plainInteger);
    return {negative ? -value : value, i};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

double LeadingNumber(std::string_view text) {
    const auto ignored = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    if (std::none_of(text.begin(), text.end(), ignored))
        return ParsePrefix(text).value;
    std::string compact;
    compact.reserve(text.size());
    std::remove_copy_if(text.begin(), text.end(), std::back_inserter(compact), ignored);
    return ParsePrefix(compact).value;
}

std::optional<double> WholeNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    const Parsed p = ParsePrefix(text);
    if (p.length == 0 || p.length != text.size())
        return std::nullopt;
    return p.value;
}

std::optional<long long> RoundHalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // A whole number, as nearly every one read is, is its own rounding: no need to ask the slow
    // rounding of the floating-point unit.
    if (value >= -9.2e18 && value <= 9.2e18 && double(static_cast<long long>(value)) == value)
        return static_cast<long long>(value);
    const double rounded = std::nearbyint(value); // the default rounding mode breaks ties to even
    if (rounded < -9.2e18 || rounded > 9.2e18)
        return std::nullopt;
    return static_cast<long long>(rounded);
}

std::string ShortestDecimal(double value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ptr);
}

long long LeadingDigitsValue(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        value = std::min(value * 10 + (c - '0'), 1'000'000'000'000LL);
    }
    return value;
}

} // namespace velto
