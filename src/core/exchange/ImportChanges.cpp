#include "ImportChanges.h"

#include "ExportCsv.h"
#include "ImportColumns.h"

#include <map>

namespace velto {
namespace {

using Row = std::vector<ExportValue>;

// The table's rows by key; a device's position left out.
std::map<int, Row> RowsByKey(const ConfigModel& model, TableId table) {
    constexpr std::size_t kDevicePosition = 4;
    std::map<int, Row> rows;
    std::vector<ExportTable> tables = ExportTables(model);
    for (Row& row : tables[std::size_t(table)].rows) {
        if (table == TableId::Devices)
            row.erase(row.begin() + kDevicePosition);
        rows.emplace(std::get<int>(row[0]), std::move(row));
    }
    return rows;
}

// "address 11: name 'Lamp' -> 'Hall lamp', type '1' -> '2'"
std::string ChangeLine(TableId table, const Row& before, const Row& after, bool italian) {
    const std::span<const ImportColumn> columns = ImportColumns(table);
    std::string line = std::string(columns[0].heading(italian)) + ' ' + ValueText(after[0]) + ':';
    const char* separator = " ";
    for (std::size_t field = 1, column = 1; field < after.size(); ++field, ++column) {
        if (table == TableId::Devices && column == 4) // the position, left out of the rows
            ++column;
        if (before[field] == after[field])
            continue;
        line += separator + std::string(columns[column].heading(italian)) + " '" + ValueText(before[field]) +
                "' -> '" + ValueText(after[field]) + '\'';
        separator = ", ";
    }
    return line;
}

} // namespace

void CountChanges(const ConfigModel& before, const ConfigModel& after, TableId table,
                  const std::set<int>& keys, bool italian, ImportOutcome& outcome) {
    const std::map<int, Row> then = RowsByKey(before, table), now = RowsByKey(after, table);
    for (const auto& [key, row] : now) {
        const auto old = then.find(key);
        if (old == then.end()) {
            ++outcome.added;
        } else if (old->second != row) {
            ++outcome.changed;
            outcome.changes.push_back(ChangeLine(table, old->second, row, italian));
        } else {
            outcome.unchanged += keys.contains(key);
        }
    }
    for (const auto& [key, row] : then)
        outcome.removed += !now.contains(key);
}

} // namespace velto
