#pragma once

#include "ConfigModel.h"

#include <string>
#include <variant>
#include <vector>

namespace velto {

// One table as the export commands give it: its name, its field names, and one row per slot, in
// ascending key, that holds a non-empty text, a non-zero number or a true mark.
using ExportValue = std::variant<std::string, int, bool>;

struct ExportTable {
    std::string name;
    std::vector<std::string> fields;
    std::vector<std::vector<ExportValue>> rows;
};

// devices, groups, loads, auxiliaries, probes, cameras, scenarios, mh200Scenarios, in that order.
std::vector<ExportTable> ExportTables(const ConfigModel& model);

} // namespace velto
