#include "BenchFiles.h"

#include "ConfWriter.h"

namespace velto::bench {

ConfigModel MaximalModel() {
    ConfigModel model;
    for (int address = 1; address <= kMaxDeviceAddress; ++address) {
        DeviceRecord& device = model.DeviceTable[address];
        device.name = "Device " + std::to_string(address);
        device.typeCode = kDeviceTypes[address % kDeviceTypes.size()].code;
        device.group = std::uint8_t(address % 10);
        device.inUse = std::uint8_t(address);
    }
    for (int n = 1; n <= kMaxGroup; ++n) {
        model.GroupTable[n] = "Group " + std::to_string(n);
        model.AuxTable[n] = "Auxiliary " + std::to_string(n);
    }
    for (int n = 1; n <= kMaxLoad; ++n)
        model.LoadTable[n] = "Load " + std::to_string(n);
    for (int n = 1; n <= kMaxProbe; ++n)
        model.ProbeTable[n] = "Probe " + std::to_string(n);
    for (int n = 1; n <= kMaxCamera; ++n)
        model.CameraTable[n] = {"Camera " + std::to_string(n),
                                std::to_string(4000 + n) + (n % 2 ? "#2" : "")};
    for (int n = 1; n <= kMaxScenario; ++n)
        model.ScenarioTable[n] = {"Scenario " + std::to_string(n),
                                  std::to_string(n) + (n % 3 ? "#4#" + std::to_string(n % 9 + 1) : "")};
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
