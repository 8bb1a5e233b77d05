#pragma once

#include "Words.h"

// The texts of a comparison, on screen, on paper and as text.
namespace velto::compare {

inline constexpr TextPair kTitle{"Confronto delle configurazioni", "Comparison of configurations"};
inline constexpr TextPair kSame{"Le configurazioni sono uguali.", "The configurations are the same."};
inline constexpr TextPair kBefore{"Prima", "Before"};
inline constexpr TextPair kAfter{"Dopo", "After"};
inline constexpr TextPair kDifferences{"Differenze", "Differences"};
inline constexpr TextPair kChange{"Modifica", "Change"};
inline constexpr TextPair kRecord{"Record", "Record"};
inline constexpr TextPair kField{"Campo", "Field"};

} // namespace velto::compare
