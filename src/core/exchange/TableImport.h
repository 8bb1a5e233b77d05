#pragma once

#include "ConfigModel.h"
#include "ExportTables.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
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

// One record of a table file, as its table stores it, with its key and its line in the file.
using TableRecord = std::variant<DeviceRecord, std::string, CameraRecord, ScenarioRecord>;
struct TableRow {
    int line = 0;
    int key = 0;
    TableRecord record;
};

struct RowsRequest {
    TableId table = TableId::Devices;
    char separator = 0;   // 0: found from the first row
    bool italian = false; // the language of the reasons
    bool headed = true;   // false: no heading row, the columns are the table's fields in their order
};

// The rows a table file holds, each checked by the rules of the table's editor: those that pass, and
// the reasons, by line, of those that do not (at most a thousand and one, the last saying the rows
// after it were not read). vet may add reasons of its own to a row the rules let pass.
struct TableRows {
    std::vector<TableRow> rows;
    std::vector<RefusedRow> refused;
};
using RowVet = std::function<void(const TableRow&, std::vector<std::string>& reasons)>;
TableRows ReadTableRows(std::string_view csv, const RowsRequest& request, const RowVet& vet = {});

// Whether the file's first row names only fields of the table, as a heading row does.
bool StartsWithHeading(std::string_view csv, TableId table, char separator = 0);

// Runs f on the slots of a table (not the MH200 scenarios, which no editor changes).
template <typename Model, typename F> void WithSlots(Model& model, TableId table, F f) {
    switch (table) {
    case TableId::Devices:
        return f(model.DeviceTable);
    case TableId::Groups:
        return f(model.GroupTable);
    case TableId::Loads:
        return f(model.LoadTable);
    case TableId::Auxiliaries:
        return f(model.AuxTable);
    case TableId::Probes:
        return f(model.ProbeTable);
    case TableId::Cameras:
        return f(model.CameraTable);
    case TableId::Scenarios:
        return f(model.ScenarioTable);
    case TableId::Mh200Scenarios:
        return;
    }
}

// The highest key a table's editor gives.
int HighestKey(TableId table);

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
