#include "ConfWriter.h"

#include "ConfReader.h"
#include "TextEncoding.h"

#include <initializer_list>
#include <string_view>

namespace velto {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct Attribute {
    std::string_view name;
    std::string_view value;
};

// One record's line: <element name="..." ...></element>, every value escaped.
void AppendLine(std::string& out, std::string_view element, std::initializer_list<Attribute> attributes) {
    out += '<';
    out += element;
    for (const Attribute& attribute : attributes) {
        out += ' ';
        out += attribute.name;
        out += "=\"";
        AppendXmlAttribute(out, attribute.value);
        out += '"';
    }
    out += "></";
    out += element;
    out += '>';
    out += kLineEnd;
}

// The line of each record of the table that a save writes, in key order, given its key as text.
template <typename Table, typename Line> void AppendSection(const Table& table, Line line) {
    for (int key = 1; key < int(table.size()); ++key) {
        if (SaveWrites(table[key], key))
            line(table[key], std::to_string(key));
    }
}

// The parts of a written device that the file has no place for.
std::string DevicePartsNotWritten(const DeviceRecord& device) {
    std::string parts = device.pull ? "pull" : "";
    if (device.dimmer != 0)
        parts += (parts.empty() ? "dimmer " : ", dimmer ") + std::to_string(device.dimmer);
    return parts;
}

const std::string& NameOf(const std::string& name) {
    return name;
}
const std::string& NameOf(const auto& record) {
    return record.name;
}

// The slots of a table that hold anything and that a save leaves out.
void HeldNotWritten(std::vector<UnwrittenRecord>& left, const char* element, const auto& table) {
    for (std::size_t key = 0; key < table.size(); ++key) {
        if (!IsBlank(table[key]) && !SaveWrites(table[key], int(key)))
            left.push_back({element, int(key), NameOf(table[key]), ""});
    }
}

} // namespace

std::vector<UnwrittenRecord> RecordsNotWritten(const ConfigModel& model) {
    std::vector<UnwrittenRecord> left;
    // A device slot counts while it is in use: a deleted device keeps its pull mark and dimmer level.
    for (int address = 0; address < kDeviceSlots; ++address) {
        const DeviceRecord& device = model.DeviceTable[address];
        if (!InUse(device))
            continue;
        if (!SaveWrites(device, address))
            left.push_back({"device", address, device.name, ""});
        else if (std::string parts = DevicePartsNotWritten(device); !parts.empty())
            left.push_back({"device", address, device.name, std::move(parts)});
    }
    HeldNotWritten(left, "group", model.GroupTable);
    HeldNotWritten(left, "load", model.LoadTable);
    HeldNotWritten(left, "aux", model.AuxTable);
    HeldNotWritten(left, "probe", model.ProbeTable);
    HeldNotWritten(left, "camera", model.CameraTable);
    HeldNotWritten(left, "scf420", model.ScenarioTable);
    HeldNotWritten(left, "scmh200", model.Mh200ScenarioTable);
    return left;
}

std::string WriteConfig(const ConfigModel& model) {
    std::string out;
    out.reserve(8192);
    out += "<ACTUATOR>";
    out += kLineEnd;
    out += "<version number=\"";
    out += kCurrentFileVersion;
    out += "\"></version>";
    out += kLineEnd;
    AppendSection(model.DeviceTable, [&](const DeviceRecord& device, const std::string& address) {
        AppendLine(out, "device",
                   {{"name", device.name},
                    {"point", address.size() == 1 ? '0' + address : address},
                    {"group", device.group != 0 ? std::to_string(device.group) : ""},
                    {"pull", ""},
                    {"type", device.typeCode}});
    });
    const auto named = [&out](const char* element, const char* keyAttribute, const auto& table) {
        out += kLineEnd;
        AppendSection(table, [&](const std::string& name, const std::string& key) {
            AppendLine(out, element, {{"name", name}, {keyAttribute, key}});
        });
    };
    named("group", "group", model.GroupTable);
    named("load", "priority", model.LoadTable);
    named("aux", "number", model.AuxTable);
    named("probe", "number", model.ProbeTable);
    out += kLineEnd;
    AppendSection(model.CameraTable, [&](const CameraRecord& camera, const std::string& number) {
        AppendLine(out, "camera",
                   {{"name", camera.name},
                    {"number", number},
                    {"adr", AddressProper(camera.address)},
                    {"type", IsOnLocalRiser(camera.address) ? "2" : "1"}});
    });
    out += kLineEnd;
    AppendSection(model.ScenarioTable, [&](const ScenarioRecord& scenario, const std::string& number) {
        AppendLine(out, "scf420", {{"name", scenario.name}, {"number", number}, {"adr", scenario.address}});
    });
    out += "</ACTUATOR>";
    out += kLineEnd;
    return out;
}

} // namespace velto
