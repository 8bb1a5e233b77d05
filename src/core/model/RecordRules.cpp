#include "RecordRules.h"

#include "NumberText.h"

#include <algorithm>

namespace velto {

DeviceAddressFault DeviceAddressFaultOf(std::string_view typed) {
    if (typed.size() > 1 && typed.back() == '0')
        return DeviceAddressFault::EndsInZero;
    if (LeadingDigitsValue(typed) != 0)
        return DeviceAddressFault::None;
    return typed.empty() ? DeviceAddressFault::Missing : DeviceAddressFault::Zero;
}

bool IsDeviceAddress(std::string_view typed) {
    return DeviceAddressFaultOf(typed) == DeviceAddressFault::None;
}

bool IsCameraAddressValue(long long value) {
    return value >= kFirstCameraAddress && value <= kLastCameraAddress;
}

bool IsScenarioAddressValue(long long value) {
    return value >= 0 && value <= kLastScenarioAddress;
}

bool IsDigits(std::string_view text, int most) {
    return !text.empty() && text.size() <= std::size_t(most) &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string StoredCameraAddress(std::string_view typed, bool localRiser) {
    return std::string(typed) + (localRiser ? kLocalRiserMark : "");
}

std::string StoredScenarioAddress(std::string_view typed, int bus) {
    return std::string(typed) + (bus > 0 ? kLocalBusMark + std::to_string(bus) : "");
}

} // namespace velto
