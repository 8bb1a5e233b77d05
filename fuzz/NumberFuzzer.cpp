// The number rules on any text: no crash, and a number's shortest text reads back as the same number
// under both rules.
#include "NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool holds, const char* what, std::string_view text) {
    if (!holds) {
        std::fprintf(stderr, "%s fails for \"%.*s\"\n", what, int(text.size()), text.data());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double leading = velto::LeadingNumber(text);
    const auto whole = velto::WholeNumber(text);
    // Attribute values reach the key rule with their line ends already turned into blanks.
    if (whole && std::isfinite(*whole) && text.find('\r') == std::string_view::npos)
        Require(*whole == leading || std::isnan(leading), "whole number equals leading number", text);
    velto::RoundHalfEven(leading);
    velto::LeadingDigitsValue(text);
    if (std::isfinite(leading)) {
        const std::string shortest = velto::ShortestDecimal(leading);
        Require(velto::LeadingNumber(shortest) == leading, "shortest text reads back", text);
        const auto again = velto::WholeNumber(shortest);
        Require(again && *again == leading, "shortest text is a whole number", text);
    }
    return 0;
}
