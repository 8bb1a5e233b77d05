#pragma once

#include "ConfigModel.h"
#include "TableImport.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Many records of one table at once: copied out as text, pasted in, duplicated, deleted, moved to
// other keys or changed field by field. Each gives the configuration afterwards, or the reasons it
// refuses, and changes nothing itself.
namespace velto {

struct BatchOutcome {
    std::unique_ptr<ConfigModel> result; // null when refused
    std::vector<int> keys;               // the keys the records hold afterwards, in the rows' order
    std::vector<RowNote> refused;        // by line of the pasted text (by position for a duplicate)
};

// The records at the keys as tab-separated text: the export's heading row, then one row per record, the
// cells as the CSV export writes them (no byte-order mark), ready for a spreadsheet.
std::string CopiedText(const ConfigModel& model, TableId table, std::span<const int> keys);
// The same records in the program's own form: the table's name on the first line, then the text.
std::string CopiedRecords(const ConfigModel& model, TableId table, std::span<const int> keys);
// The text of records in the program's own form when they belong to the table; nothing otherwise.
std::optional<std::string_view> RecordsOfTable(std::string_view copied, TableId table);

// Rows of tab-separated text, with or without the heading row, added to the table by the import's rules:
// each record keeps its key (and a camera's or scenario's address) when free, else takes the next free
// one; refused whole when any row breaks a rule or finds no free key.
BatchOutcome PasteRecords(const ConfigModel& model, TableId table, std::string_view text, bool italian);
// Copies of the records at the keys, each at the next free key (and address), named "name (2)".
BatchOutcome DuplicateRecords(const ConfigModel& model, TableId table, std::span<const int> keys,
                              bool italian);
// The records at the keys moved, in key order, to the free keys from first on (a key held by a record
// not moved is not free): the loads' priorities and the probes' zones changed together.
BatchOutcome MoveRecords(const ConfigModel& model, TableId table, std::span<const int> keys, int first,
                         bool italian);

// The devices' fields a change of many sets; the fields not given stay as each device has them.
struct DeviceChange {
    std::optional<int> group; // 0 = no group
    std::optional<std::string> typeCode;
};
void ChangeDevices(ConfigModel& model, std::span<const int> keys, const DeviceChange& change);
void DeleteRecords(ConfigModel& model, TableId table, std::span<const int> keys);

// The first key after `after` whose slot is free and that the table's editor gives (a device address
// that does not end in 0), going round to the lowest; 0 when every one is taken.
int NextFreeKey(const ConfigModel& model, TableId table, int after);
// The name of the record at the key.
std::string NameAt(const ConfigModel& model, TableId table, int key);
// A copy's name: "name (2)", or the next number none of the taken names has ("Lamp (2)" gives
// "Lamp (3)").
std::string CopyName(const std::string& name, std::span<const std::string> taken);

} // namespace velto
