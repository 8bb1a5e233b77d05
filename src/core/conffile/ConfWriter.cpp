#include "ConfWriter.h"

#include "ConfReader.h"
#include "TextEncoding.h"

#include <string_view>

namespace velto {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Which records the file holds; everything else in the tables is left out.
bool IsWritten(const DeviceRecord& device, int address) {
    return device.inUse != 0 && address >= 1 && address <= kMaxDeviceAddress;
}
bool IsWritten(const CameraRecord& camera) {
    return !camera.name.empty() && !camera.address.empty();
}
bool IsWritten(const ScenarioRecord& scenario) {
    return !scenario.address.empty();
}

void AppendNumber(std::string& out, int number) {
    out += std::to_string(number);
}

// One section of name-only records: <element name="..." keyAttribute="n"></element> for every key
// 1..lastKey whose name is not empty.
template <std::size_t Slots>
void AppendNamedSection(std::string& out, std::string_view element, std::string_view keyAttribute,
                        const std::array<std::string, Slots>& table, int lastKey) {
    for (int key = 1; key <= lastKey; ++key) {
        if (table[key].empty())
            continue;
        out += '<';
        out += element;
        out += " name=\"";
        AppendXmlAttribute(out, table[key]);
        out += "\" ";
        out += keyAttribute;
        out += "=\"";
        AppendNumber(out, key);
        out += "\"></";
        out += element;
        out += '>';
        out += kLineEnd;
    }
}

void AppendDevices(std::string& out, const ConfigModel& model) {
    for (int address = 1; address <= kMaxDeviceAddress; ++address) {
        const DeviceRecord& device = model.DeviceTable[address];
        if (!IsWritten(device, address))
            continue;
        out += "<device name=\"";
        AppendXmlAttribute(out, device.name);
        out += "\" point=\"";
        out += static_cast<char>('0' + address / 10);
        out += static_cast<char>('0' + address % 10);
        out += "\" group=\"";
        if (device.group != 0)
            AppendNumber(out, device.group);
        out += "\" pull=\"\" type=\"";
        AppendXmlAttribute(out, device.typeCode);
        out += "\"></device>";
        out += kLineEnd;
    }
}

void AppendCameras(std::string& out, const ConfigModel& model) {
    for (int number = 1; number <= kMaxCamera; ++number) {
        const CameraRecord& camera = model.CameraTable[number];
        if (!IsWritten(camera))
            continue;
        out += "<camera name=\"";
        AppendXmlAttribute(out, camera.name);
        out += "\" number=\"";
        AppendNumber(out, number);
        out += "\" adr=\"";
        AppendXmlAttribute(out, AddressProper(camera.address));
        out += IsOnLocalRiser(camera.address) ? "\" type=\"2\"></camera>" : "\" type=\"1\"></camera>";
        out += kLineEnd;
    }
}

void AppendScenarios(std::string& out, const ConfigModel& model) {
    for (int number = 1; number <= kMaxScenario; ++number) {
        const ScenarioRecord& scenario = model.ScenarioTable[number];
        if (!IsWritten(scenario))
            continue;
        out += "<scf420 name=\"";
        AppendXmlAttribute(out, scenario.name);
        out += "\" number=\"";
        AppendNumber(out, number);
        out += "\" adr=\"";
        AppendXmlAttribute(out, scenario.address);
        out += "\"></scf420>";
        out += kLineEnd;
    }
}

// The parts of a written device that the file has no place for.
std::string DevicePartsNotWritten(const DeviceRecord& device) {
    std::string parts = device.pull ? "pull" : "";
    if (device.dimmer != 0)
        parts += (parts.empty() ? "dimmer " : ", dimmer ") + std::to_string(device.dimmer);
    return parts;
}

void NamedNotWritten(std::vector<UnwrittenRecord>& left, const char* element, const auto& table) {
    if (!table[0].empty())
        left.push_back({element, 0, table[0], ""});
}

template <typename Record>
void AddressedNotWritten(std::vector<UnwrittenRecord>& left, const char* element, const Record& table) {
    for (std::size_t key = 0; key < table.size(); ++key) {
        const auto& record = table[key];
        const bool held = !record.name.empty() || !record.address.empty();
        if (held && (key == 0 || !IsWritten(record)))
            left.push_back({element, int(key), record.name, ""});
    }
}

} // namespace

std::vector<UnwrittenRecord> RecordsNotWritten(const ConfigModel& model) {
    std::vector<UnwrittenRecord> left;
    for (int address = 0; address < kDeviceSlots; ++address) {
        const DeviceRecord& device = model.DeviceTable[address];
        if (device.inUse == 0)
            continue;
        if (!IsWritten(device, address))
            left.push_back({"device", address, device.name, ""});
        else if (std::string parts = DevicePartsNotWritten(device); !parts.empty())
            left.push_back({"device", address, device.name, std::move(parts)});
    }
    NamedNotWritten(left, "group", model.GroupTable);
    NamedNotWritten(left, "load", model.LoadTable);
    NamedNotWritten(left, "aux", model.AuxTable);
    NamedNotWritten(left, "probe", model.ProbeTable);
    AddressedNotWritten(left, "camera", model.CameraTable);
    AddressedNotWritten(left, "scf420", model.ScenarioTable);
    for (int number = 0; number <= kMaxMh200; ++number) {
        const Mh200Record& scenario = model.Mh200ScenarioTable[number];
        if (!scenario.name.empty() || !scenario.cenActivation.empty() || !scenario.cenDeactivation.empty())
            left.push_back({"scmh200", number, scenario.name, ""});
    }
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
    AppendDevices(out, model);
    out += kLineEnd;
    AppendNamedSection(out, "group", "group", model.GroupTable, kMaxGroup);
    out += kLineEnd;
    AppendNamedSection(out, "load", "priority", model.LoadTable, kMaxLoad);
    out += kLineEnd;
    AppendNamedSection(out, "aux", "number", model.AuxTable, kMaxAux);
    out += kLineEnd;
    AppendNamedSection(out, "probe", "number", model.ProbeTable, kMaxProbe);
    out += kLineEnd;
    AppendCameras(out, model);
    out += kLineEnd;
    AppendScenarios(out, model);
    out += "</ACTUATOR>";
    out += kLineEnd;
    return out;
}

} // namespace velto
