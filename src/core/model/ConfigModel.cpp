#include "ConfigModel.h"

namespace velto {

void ClearConfiguration(ConfigModel& model) {
    for (auto& device : model.DeviceTable)
        device = DeviceRecord{};
    model.GroupTable.fill({});
    model.AuxTable.fill({});
    model.LoadTable.fill({});
    model.ProbeTable.fill({});
    model.CameraTable.fill({});
    model.ScenarioTable.fill({});
    model.Mh200ScenarioTable.fill({});
}

void FreeDeviceSlot(DeviceRecord& device) {
    device.inUse = 0;
    device.group = 0;
    device.name.clear();
    device.typeCode.clear();
}

void RenumberDevices(ConfigModel& model) {
    std::uint8_t position = 1;
    for (int address = 1; address <= kMaxDeviceAddress; ++address) {
        if (InUse(model.DeviceTable[address]))
            model.DeviceTable[address].inUse = position++;
    }
}

bool InUse(const DeviceRecord& device) {
    return device.inUse != 0;
}
bool InUse(const std::string& name) {
    return !name.empty();
}
bool InUse(const CameraRecord& camera) {
    return !camera.address.empty();
}
bool InUse(const ScenarioRecord& scenario) {
    return !scenario.address.empty();
}
bool InUse(const Mh200Record& scenario) {
    return !scenario.name.empty();
}

bool SaveWrites(const DeviceRecord& device, int address) {
    return InUse(device) && address >= 1 && address <= kMaxDeviceAddress;
}
bool SaveWrites(const std::string& name, int key) {
    return InUse(name) && key >= 1;
}
bool SaveWrites(const CameraRecord& camera, int number) {
    return InUse(camera) && !camera.name.empty() && number >= 1;
}
bool SaveWrites(const ScenarioRecord& scenario, int number) {
    return InUse(scenario) && number >= 1;
}
bool SaveWrites(const Mh200Record&, int) {
    return false;
}

bool IsBlank(const DeviceRecord& d) {
    return d.name.empty() && d.typeCode.empty() && d.group == 0 && d.inUse == 0 && !d.pull && d.dimmer == 0;
}
bool IsBlank(const std::string& name) {
    return name.empty();
}
bool IsBlank(const CameraRecord& camera) {
    return camera.name.empty() && camera.address.empty();
}
bool IsBlank(const ScenarioRecord& scenario) {
    return scenario.name.empty() && scenario.address.empty();
}
bool IsBlank(const Mh200Record& s) {
    return s.name.empty() && s.cenActivation.empty() && s.cenDeactivation.empty();
}

std::string AddressProper(const std::string& storedAddress) {
    return storedAddress.substr(0, storedAddress.find('#'));
}

bool IsOnLocalRiser(const std::string& storedCameraAddress) {
    return storedCameraAddress.find('#') != std::string::npos;
}

} // namespace velto
