#include "ExportTables.h"

namespace velto {
namespace {

// The rows of a table, one for each slot that is not blank, each led by its slot number.
template <typename Table, typename Values>
ExportTable Entries(std::string name, std::vector<std::string> fields, const Table& table, Values values) {
    ExportTable result{std::move(name), std::move(fields), {}};
    for (std::size_t slot = 0; slot < table.size(); ++slot) {
        if (IsBlank(table[slot]))
            continue;
        std::vector<ExportValue> row{int(slot)};
        for (ExportValue& value : values(table[slot]))
            row.push_back(std::move(value));
        result.rows.push_back(std::move(row));
    }
    return result;
}

ExportTable NamedSlots(std::string name, const auto& table, std::string keyName) {
    return Entries(std::move(name), {std::move(keyName), "name"}, table,
                   [](const std::string& text) { return std::vector<ExportValue>{text}; });
}

ExportTable AddressedSlots(std::string name, const auto& table) {
    return Entries(std::move(name), {"number", "name", "address"}, table, [](const auto& r) {
        return std::vector<ExportValue>{r.name, r.address};
    });
}

} // namespace

std::vector<ExportTable> ExportTables(const ConfigModel& model) {
    std::vector<ExportTable> tables;
    tables.push_back(Entries("devices", {"point", "name", "type", "group", "inUse", "pull", "dimmer"},
                             model.DeviceTable, [](const DeviceRecord& d) {
                                 return std::vector<ExportValue>{d.name,       d.typeCode, int(d.group),
                                                                 int(d.inUse), d.pull,     int(d.dimmer)};
                             }));
    tables.push_back(NamedSlots("groups", model.GroupTable, "number"));
    tables.push_back(NamedSlots("loads", model.LoadTable, "priority"));
    tables.push_back(NamedSlots("auxiliaries", model.AuxTable, "number"));
    tables.push_back(NamedSlots("probes", model.ProbeTable, "zone"));
    tables.push_back(AddressedSlots("cameras", model.CameraTable));
    tables.push_back(AddressedSlots("scenarios", model.ScenarioTable));
    tables.push_back(Entries("mh200Scenarios", {"number", "name", "cenActivation", "cenDeactivation"},
                             model.Mh200ScenarioTable, [](const Mh200Record& s) {
                                 return std::vector<ExportValue>{s.name, s.cenActivation, s.cenDeactivation};
                             }));
    return tables;
}

} // namespace velto
