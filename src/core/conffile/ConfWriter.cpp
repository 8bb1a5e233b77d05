#include "ConfWriter.h"

#include "ConfReader.h"
#include "TextEncoding.h"

#include <string_view>

namespace velto {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

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
        if (device.inUse == 0)
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
        if (camera.name.empty() || camera.address.empty())
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
        if (scenario.address.empty())
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

} // namespace

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
