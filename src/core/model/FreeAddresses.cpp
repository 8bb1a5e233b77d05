#include "FreeAddresses.h"

#include "NumberText.h"
#include "RecordRules.h"

#include <algorithm>
#include <span>

namespace velto {
namespace {

// The lowest address first..last that no record in use has as the value of its address proper.
template <typename Record>
std::optional<int> FirstUnused(std::span<const Record> table, int first, int last) {
    for (int address = first; address <= last; ++address) {
        const bool used = std::any_of(table.begin(), table.end(), [address](const Record& record) {
            return InUse(record) && LeadingDigitsValue(AddressProper(record.address)) == address;
        });
        if (!used)
            return address;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> FirstFreeDeviceAddress(const ConfigModel& model) {
    for (int address = 1; address <= kMaxDeviceAddress; ++address) {
        if (IsDeviceAddress(std::to_string(address)) && !InUse(model.DeviceTable[address]))
            return address;
    }
    return std::nullopt;
}

std::optional<int> FirstFreeCameraAddress(const ConfigModel& model) {
    return FirstUnused(std::span<const CameraRecord>(model.CameraTable).subspan(1), kFirstCameraAddress,
                       kLastCameraAddress);
}

std::optional<int> FirstFreeScenarioAddress(const ConfigModel& model) {
    return FirstUnused(std::span<const ScenarioRecord>(model.ScenarioTable).subspan(1), 1,
                       kLastScenarioAddress);
}

} // namespace velto
