#pragma once

#include "ConfigModel.h"

#include <string>
#include <string_view>

// The rules a record must pass before an editor stores it, and the forms it is stored in. The
// editors and the table import both apply them.
namespace velto {

// How many characters each address box takes (digits only).
inline constexpr int kDeviceAddressDigits = 2;
inline constexpr int kCameraAddressDigits = 4;
inline constexpr int kScenarioAddressDigits = 2;

inline constexpr int kFirstCameraAddress = 4000;
inline constexpr int kLastCameraAddress = 5000;
inline constexpr int kLastScenarioAddress = 98;

// What the device address rule finds wrong with an address as typed: nothing, no address, the value
// 0, or a two-character address ending in "0".
enum class DeviceAddressFault { None, Missing, Zero, EndsInZero };
DeviceAddressFault DeviceAddressFaultOf(std::string_view typed);
// The device address rule: not 0, and a two-character address does not end in "0" ("1".."9",
// "01".."09" and 11..99 without 10, 20...). The address box gives it digits only.
bool IsDeviceAddress(std::string_view typed);
// The camera address range, 4000..5000.
bool IsCameraAddressValue(long long value);
// The scenario address range, 0..98.
bool IsScenarioAddressValue(long long value);
// Whether a text is 1..most decimal digits, as an address box holds it.
bool IsDigits(std::string_view text, int most);

// The stored forms: the address as typed, then "#2" on a local riser; then "#4#" and the bus 1..9 on a
// local bus (0 = the private bus).
std::string StoredCameraAddress(std::string_view typed, bool localRiser);
std::string StoredScenarioAddress(std::string_view typed, int bus);

} // namespace velto
