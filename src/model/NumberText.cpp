#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace velto {
namespace {

struct Parsed {
    double value = 0;
    std::size_t length = 0; // characters that form the number; 0 = none
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

// The longest leading number of s (no blanks inside).
Parsed ParsePrefix(std::string_view s) {
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return ParseRadix(s, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return ParseRadix(s, 8);
        return {};
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    std::string digits; // what from_chars reads: mantissa and exponent, without the sign
    std::size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        digits += s[i++];
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        digits += s[i++];
        while (i < s.size() && IsDigit(s[i])) {
            digits += s[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return {};
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        std::size_t first = j;
        while (j < s.size() && IsDigit(s[j]))
            exponent += s[j++];
        if (j > first) {
            digits += exponent;
            end = j;
        }
    }
    Parsed p;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), p.value);
    if (ec == std::errc::result_out_of_range) {
        // Too large gives infinity; too small, the nearest subnormal or zero, as strtod rounds it.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
        p.value = strtod_l(digits.c_str(), nullptr, cLocale);
    }
    if (negative)
        p.value = -p.value;
    p.length = end;
    return p;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

double LeadingNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
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
