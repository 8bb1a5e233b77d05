#pragma once

#include "ConfigModel.h"
#include "RecordChanges.h"

#include <string>
#include <vector>

// The changes between two configurations as a person reads them: each record added, removed or changed
// under its table's heading, named by its key and name, and for a changed record each field that differs,
// with the grids' column names and value texts in one language.
namespace velto {

struct FieldChange {
    std::string column;
    std::string was;
    std::string is;
    bool operator==(const FieldChange&) const = default;
};

struct RecordDifference {
    RecordChange change;
    std::string heading;             // the table's, as the report heads it: "Attuatori", "Telecamere"...
    std::string keyText;             // the key with its column name: "indirizzo 21", "zone 4"
    std::string name;                // as it is, or for a removed record as it was
    std::vector<FieldChange> fields; // a changed record's fields that differ; none otherwise
};

struct Differences {
    std::vector<RecordDifference> records; // in the order of ChangedRecords
    std::string summary;                   // ChangeSummary's line
    bool same() const { return records.empty(); }
};

// The differences from then to now. A field shows as the grid shows it; where two values show the same
// (a type code the grid does not know, a riser marked otherwise), as the file holds it.
Differences CompareConfigurations(const ConfigModel& then, const ConfigModel& now, bool italian);

// The differences as plain text: the summary, then each table's records, one to a line, with the fields
// of a changed one indented under it ("nome: «Luce» → «Luce sala»"); or the line that says there are
// none.
std::string DifferencesText(const Differences& differences, bool italian);

} // namespace velto
