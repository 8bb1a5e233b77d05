#include "ExportTables.h"

namespace velto {
namespace {

constexpr std::string_view kDeviceFields[] = {"point", "name", "type", "group", "inUse", "pull", "dimmer"};
constexpr std::string_view kNumberedFields[] = {"number", "name"};
constexpr std::string_view kLoadFields[] = {"priority", "name"};
constexpr std::string_view kProbeFields[] = {"zone", "name"};
constexpr std::string_view kAddressedFields[] = {"number", "name", "address"};
constexpr std::string_view kMh200Fields[] = {"number", "name", "cenActivation", "cenDeactivation"};

// The rows of a table, one for each slot that is not blank, each led by its slot number.
template <typename Table, typename Values>
ExportTable Entries(TableId id, const Table& table, Values values) {
    const TableShape& shape = kTableShapes[std::size_t(id)];
    ExportTable result{std::string(shape.name), {shape.fields.begin(), shape.fields.end()}, {}};
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

ExportTable NamedSlots(TableId id, const auto& table) {
    return Entries(id, table, [](const std::string& text) { return std::vector<ExportValue>{text}; });
}

ExportTable AddressedSlots(TableId id, const auto& table) {
    return Entries(id, table, [](const auto& r) { return std::vector<ExportValue>{r.name, r.address}; });
}

} // namespace

const std::array<TableShape, 8> kTableShapes{{
    {TableId::Devices, "devices", kDeviceFields, 3},
    {TableId::Groups, "groups", kNumberedFields, 2},
    {TableId::Loads, "loads", kLoadFields, 2},
    {TableId::Auxiliaries, "auxiliaries", kNumberedFields, 2},
    {TableId::Probes, "probes", kProbeFields, 2},
    {TableId::Cameras, "cameras", kAddressedFields, 3},
    {TableId::Scenarios, "scenarios", kAddressedFields, 3},
    {TableId::Mh200Scenarios, "mh200Scenarios", kMh200Fields, 0},
}};

std::vector<ExportTable> ExportTables(const ConfigModel& model) {
    std::vector<ExportTable> tables;
    tables.push_back(Entries(TableId::Devices, model.DeviceTable, [](const DeviceRecord& d) {
        return std::vector<ExportValue>{d.name,       d.typeCode, int(d.group),
                                        int(d.inUse), d.pull,     int(d.dimmer)};
    }));
    tables.push_back(NamedSlots(TableId::Groups, model.GroupTable));
    tables.push_back(NamedSlots(TableId::Loads, model.LoadTable));
    tables.push_back(NamedSlots(TableId::Auxiliaries, model.AuxTable));
    tables.push_back(NamedSlots(TableId::Probes, model.ProbeTable));
    tables.push_back(AddressedSlots(TableId::Cameras, model.CameraTable));
    tables.push_back(AddressedSlots(TableId::Scenarios, model.ScenarioTable));
    tables.push_back(Entries(TableId::Mh200Scenarios, model.Mh200ScenarioTable, [](const Mh200Record& s) {
        return std::vector<ExportValue>{s.name, s.cenActivation, s.cenDeactivation};
    }));
    return tables;
}

} // namespace velto
