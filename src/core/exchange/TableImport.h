#pragma once

#include "ConfigModel.h"
#include "ExportTables.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A table read from a CSV file as the export writes it, each row checked by the rules the editor of
// that table applies.
namespace velto {

// What the file's rows do to the table: Add puts them at keys that are free; Update also changes the
// records at keys that are taken, in the fields the file has; Replace empties the table first.
enum class ImportMode { Add, Update, Replace };

struct ImportRequest {
    TableId table = TableId::Devices;
    char separator = 0; // 0: found from the heading row
    ImportMode mode = ImportMode::Add;
    bool italian = false;     // the language of the reasons
    bool commandLine = false; // a key already taken names the options, rather than the window's choices
};

// A row refused, or imported with a warning.
struct RowNote {
    int line; // in the CSV file, from 1
    std::string text;
};

struct ImportOutcome {
    // Records counted by what really happens to them: added at a free key, changed, removed (only when
    // replacing), or named by the file and left as they were.
    int added = 0;
    int changed = 0;
    int removed = 0;
    int unchanged = 0;
    // Each changed record, field by field: "address 11: name 'Lamp' -> 'Hall lamp'".
    std::vector<std::string> changes;
    std::vector<RowNote> refused;
    // Values no editor gives but a conf.xml file can hold, imported as its reader reads them.
    std::vector<RowNote> warnings;
    // The configuration after the import; null when any row was refused, for then nothing changes.
    std::unique_ptr<ConfigModel> result;

    bool changesNothing() const { return added + changed + removed == 0; }
};

ImportOutcome ImportTable(const ConfigModel& model, std::string_view csv, const ImportRequest& request);

// "devices: 3 added, 1 changed, 0 removed, 12 unchanged" / "devices: nothing changes".
std::string ImportSummary(const ImportOutcome& outcome, TableId table, bool italian);

// The tables a file's heading row fits: every column one of the table's, none twice, the required
// ones all there.
std::vector<TableId> TablesFitting(std::string_view csv, char separator = 0);

// The columns a table takes, in the language, for a message: "indirizzo, nome, tipo, gruppo...".
std::string ColumnsTaken(TableId table, bool italian);

// How many records the table holds.
int RecordsIn(const ConfigModel& model, TableId table);

// The table's name in a sentence: "attuatori" / "devices".
std::string_view TableWord(TableId table, bool italian);

} // namespace velto
