#pragma once

#include "ConfigModel.h"

#include <optional>

// The address New proposes for a record: the lowest one its rule allows that no record of its table
// already has. None when every one is taken.
namespace velto {

// A device address 1..99 that the address rule allows (no 10, 20...) and whose slot is free.
std::optional<int> FirstFreeDeviceAddress(const ConfigModel& model);
// A camera address 4000..5000 that no camera has, whatever its riser.
std::optional<int> FirstFreeCameraAddress(const ConfigModel& model);
// A scenario address 1..98 that no scenario has, whatever its bus. Address 0 is allowed but never
// proposed: a new record starts at 1, as every other key and address does.
std::optional<int> FirstFreeScenarioAddress(const ConfigModel& model);

} // namespace velto
