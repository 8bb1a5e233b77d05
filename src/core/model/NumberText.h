#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the program reads numbers out of texts typed by users or found in files.
namespace velto {

// The leading-number rule: blanks, tabs and line feeds anywhere in the text are ignored; the value is
// that of the longest leading part forming a decimal number (sign, digits, one decimal point, an
// exponent with E or D), or of a number after "&H" (hexadecimal) or "&O" (octal); otherwise 0.
double LeadingNumber(std::string_view text);

// The whole-key rule: the whole text, blanks around it allowed, must be one number in the forms above;
// anything else gives no value.
std::optional<double> WholeNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour. No value when the result does not
// fit in a long long (or the input is not finite).
std::optional<long long> RoundHalfEven(double value);

// The shortest decimal text that reads back as the same number ("04100" read as 4100 gives "4100").
std::string ShortestDecimal(double value);

// The value of the leading decimal digits of a text typed into an address box; empty text gives 0.
long long LeadingDigitsValue(std::string_view text);

} // namespace velto
