#pragma once

#include "ComparisonReport.h"
#include "Differences.h"

#include <string>

namespace velto {

// The differences as JSON: both files with the SHA-256 of their bytes, whether they are the same, the
// summary, and each record's table, key, change, heading, key text and name, with a changed record's
// fields before and after.
std::string DiffJson(const Differences& differences, const ComparedFile& then, const ComparedFile& now);

} // namespace velto
