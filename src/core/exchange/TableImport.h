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
    bool headed = true;   // false: no heading row, the columns are the table's in their order
    // Values only a conf.xml file gives are refused, rather than taken with a warning.
    bool editorsOnly = false;
};

// The rows a table file holds, each checked by the rules of the table's editor: those that pass, with
// the warnings of values only a conf.xml file gives, and the reasons, by line, of those that do not (at
// most a thousand and one, the last saying the rows after it were not read).
struct TableRows {
    std::vector<TableRow> rows;
    std::vector<RowNote> refused;
    std::vector<RowNote> warnings;
};
// Each row's record starts as start gives it for its key (an empty record when there is none), and
// takes the fields the file has. vet may add reasons of its own to a row the rules let pass.
using RowStart = std::function<TableRecord(int key)>;
using RowVet = std::function<void(const TableRow&, std::vector<std::string>& reasons)>;
TableRows ReadTableRows(std::string_view csv, const RowsRequest& request, const RowStart& start = {},
                        const RowVet& vet = {});

// Whether the file's first row names only columns of the table, as a heading row does.
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
