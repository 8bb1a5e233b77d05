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
        if (model.DeviceTable[address].inUse != 0)
            model.DeviceTable[address].inUse = position++;
    }
}

std::string AddressProper(const std::string& storedAddress) {
    return storedAddress.substr(0, storedAddress.find('#'));
}

bool IsOnLocalRiser(const std::string& storedCameraAddress) {
    return storedCameraAddress.find('#') != std::string::npos;
}

} // namespace velto
