#pragma once

#include "ConfigModel.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velto {

enum class TableId { Devices, Groups, Loads, Auxiliaries, Probes, Cameras, Scenarios, Mh200Scenarios };

// A table as the exports name it: its name and its field names, the key first. A table file
// imported needs the first `required` fields; the others may be left out (no table imports MH200
// scenarios, which no file keeps: required is 0).
struct TableShape {
    TableId id;
    std::string_view name;
    std::span<const std::string_view> fields;
    std::size_t required;
};

// devices, groups, loads, auxiliaries, probes, cameras, scenarios, mh200Scenarios, in that order.
extern const std::array<TableShape, 8> kTableShapes;

// One table as the export commands give it: its name, its field names, and one row per slot, in
// ascending key, that holds a non-empty text, a non-zero number or a true mark.
using ExportValue = std::variant<std::string, int, bool>;

struct ExportTable {
    std::string name;
    std::vector<std::string> fields;
    std::vector<std::vector<ExportValue>> rows;
};

// The tables in the order of kTableShapes.
std::vector<ExportTable> ExportTables(const ConfigModel& model);

} // namespace velto
