#include "BenchFiles.h"

#include "ConfWriter.h"

namespace velto::bench {

ConfigModel MaximalModel(int variant) {
    const auto named = [variant](const char* what, int n) {
        return std::string(what) + ' ' + std::to_string(n) + (variant == 0 ? "" : " bis");
    };
    ConfigModel model;
    for (int address = 1; address <= kMaxDeviceAddress; ++address) {
        DeviceRecord& device = model.DeviceTable[address];
        device.name = named("Device", address);
        device.typeCode = kDeviceTypes[(address + variant) % kDeviceTypes.size()].code;
        device.group = std::uint8_t((address + variant) % 10);
        device.inUse = std::uint8_t(address);
    }
    for (int n = 1; n <= kMaxGroup; ++n) {
        model.GroupTable[n] = named("Group", n);
        model.AuxTable[n] = named("Auxiliary", n);
    }
    for (int n = 1; n <= kMaxLoad; ++n)
        model.LoadTable[n] = named("Load", n);
    for (int n = 1; n <= kMaxProbe; ++n)
        model.ProbeTable[n] = named("Probe", n);
    for (int n = 1; n <= kMaxCamera; ++n)
        model.CameraTable[n] = {named("Camera", n),
                                std::to_string(4000 + 100 * variant + n) + ((n + variant) % 2 ? "#2" : "")};
    for (int n = 1; n <= kMaxScenario; ++n)
        model.ScenarioTable[n] = {named("Scenario", n), std::to_string(n + 100 * variant) + "#4#" +
                                                            std::to_string((n + variant) % 9 + 1)};
    return model;
}

std::string MaximalConfigBytes() {
    std::string bytes = WriteConfig(MaximalModel());
    std::string mh200;
    for (int n = 1; n <= kMaxMh200; ++n)
        mh200 += "<scmh200 name=\"Scene " + std::to_string(n) + "\" number=\"" + std::to_string(n) +
                 "\" cenact=\"" + std::to_string(1000 + n) + "\" cendis=\"" + std::to_string(2000 + n) +
                 "\"></scmh200>\r\n";
    bytes.insert(bytes.rfind("</ACTUATOR>"), mh200);
    return bytes;
}

std::string HostileConfigBytes() {
    std::string bytes = "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n";
    bytes.reserve(52'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        const std::string n = std::to_string(i);
        bytes += "<note id=\"" + n + "\" text=\"nobody reads this, padding\"/>\r\n";
        if (i % 200 != 0)
            continue;
        const std::string key = std::to_string(i / 200 % 120 + 1);
        switch (i / 200 % 4) {
        case 0:
            bytes += "<device name=\"D" + n + "\" point=\"" + std::to_string(i / 200 % 99 + 1) +
                     "\" group=\"1\" pull=\"\" type=\"1\"></device>\r\n";
            break;
        case 1:
            bytes += "<group name=\"G" + n + "\" group=\"" + key + "\"></group>\r\n";
            break;
        case 2:
            bytes += "<probe name=\"P" + n + "\" number=\"" + key + "\"></probe>\r\n";
            break;
        default:
            bytes +=
                "<camera name=\"C" + n + "\" number=\"" + key + "\" adr=\"4100\" type=\"1\"></camera>\r\n";
            break;
        }
    }
    return bytes + "</ACTUATOR>\r\n";
}

} // namespace velto::bench
