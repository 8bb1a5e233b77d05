#pragma once

#include "Differences.h"
#include "ReportDocument.h"

#include <string>

// The differences between two configurations on paper or as HTML: laid out as a report, so that they
// print and export as the installation report does.
namespace velto {

// One side of a comparison: the file's name and the SHA-256 of its bytes, empty for unsaved changes.
struct ComparedFile {
    std::string name;
    std::string fingerprint;
};

// Both files with their fingerprints, when it was made, the summary, then a table for each table that
// differs: each record's change, key and name, and a changed record's fields before and after.
ReportDocument ComparisonReport(const Differences& differences, const ComparedFile& then,
                                const ComparedFile& now, const DateAndTime& producedAt, bool italian);

} // namespace velto
