#pragma once

#include "LanguageTable.h"

namespace velto {

// The tooltip of an input that takes only some values: what those values are.
struct Hint {
    std::string_view control;
    TextPair text;
};

extern const std::array<Hint, 5> kHints;

} // namespace velto
