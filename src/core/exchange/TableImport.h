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

struct ImportRequest {
    TableId table = TableId::Devices;
    char separator = 0;   // 0: found from the heading row
    bool replace = false; // the table is emptied first; otherwise the rows are added to it
    bool italian = false; // the language of the reasons
};

struct RefusedRow {
    int line; // in the CSV file, from 1
    std::string reason;
};

struct ImportOutcome {
    int added = 0;    // records at keys that were free
    int replaced = 0; // records at keys that held one (only when replacing)
    int removed = 0;  // records the table held at keys the file does not name (only when replacing)
    std::vector<RefusedRow> refused;
    // The configuration after the import; null when any row was refused, for then nothing changes.
    std::unique_ptr<ConfigModel> result;
};

ImportOutcome ImportTable(const ConfigModel& model, std::string_view csv, const ImportRequest& request);

// "devices: 3 added, 1 replaced, 0 removed" / "attuatori: 3 aggiunti, 1 sostituiti, 0 tolti".
std::string ImportSummary(const ImportOutcome& outcome, TableId table, bool italian);

// The tables a file's heading row fits: every column a field of the table, none twice, the required
// fields all there.
std::vector<TableId> TablesFitting(std::string_view csv, char separator = 0);

// How many records the table holds.
int RecordsIn(const ConfigModel& model, TableId table);

// The table's name in a sentence: "attuatori" / "devices".
std::string_view TableWord(TableId table, bool italian);

} // namespace velto
