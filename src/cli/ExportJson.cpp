#include "ExportJson.h"

#include <nlohmann/json.hpp>

namespace velto {
namespace {

using Json = nlohmann::ordered_json;

// The entries of a table whose slots pass the test, keyed by slot number under keyName.
template <typename Table, typename Used, typename Fill>
Json Entries(const Table& table, const char* keyName, Used used, Fill fill) {
    Json list = Json::array();
    for (std::size_t slot = 0; slot < table.size(); ++slot) {
        if (!used(table[slot]))
            continue;
        Json entry;
        entry[keyName] = slot;
        fill(entry, table[slot]);
        list.push_back(std::move(entry));
    }
    return list;
}

Json NamedSlots(const auto& table, const char* keyName) {
    return Entries(
        table, keyName, [](const std::string& name) { return !name.empty(); },
        [](Json& entry, const std::string& name) { entry["name"] = name; });
}

template <typename Record> Json AddressedSlots(const Record& table) {
    return Entries(
        table, "number", [](const auto& r) { return !r.name.empty() || !r.address.empty(); },
        [](Json& entry, const auto& r) {
            entry["name"] = r.name;
            entry["address"] = r.address;
        });
}

} // namespace

std::string ExportJson(const ConfigModel& model, const std::string& fileVersion) {
    Json root;
    root["version"] = fileVersion;
    root["devices"] = Entries(
        model.DeviceTable, "point",
        [](const DeviceRecord& d) {
            return !d.name.empty() || !d.typeCode.empty() || d.group || d.inUse || d.pull || d.dimmer;
        },
        [](Json& entry, const DeviceRecord& d) {
            entry["name"] = d.name;
            entry["type"] = d.typeCode;
            entry["group"] = d.group;
            entry["inUse"] = d.inUse;
            entry["pull"] = d.pull;
            entry["dimmer"] = d.dimmer;
        });
    root["groups"] = NamedSlots(model.GroupTable, "number");
    root["loads"] = NamedSlots(model.LoadTable, "priority");
    root["auxiliaries"] = NamedSlots(model.AuxTable, "number");
    root["probes"] = NamedSlots(model.ProbeTable, "zone");
    root["cameras"] = AddressedSlots(model.CameraTable);
    root["scenarios"] = AddressedSlots(model.ScenarioTable);
    root["mh200Scenarios"] = Entries(
        model.Mh200ScenarioTable, "number",
        [](const Mh200Record& s) {
            return !s.name.empty() || !s.cenActivation.empty() || !s.cenDeactivation.empty();
        },
        [](Json& entry, const Mh200Record& s) {
            entry["name"] = s.name;
            entry["cenActivation"] = s.cenActivation;
            entry["cenDeactivation"] = s.cenDeactivation;
        });
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

} // namespace velto
