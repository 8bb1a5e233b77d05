#pragma once

#include "ConfigModel.h"

#include <string>
#include <variant>
#include <vector>

// The difference between two states of the tables, slot by slot: what one committed change did, kept
// small enough to hold hundreds of them.
namespace velto {

struct SlotChange {
    using Record = std::variant<DeviceRecord, std::string, CameraRecord, ScenarioRecord, Mh200Record>;
    int table; // in the order ConfigModel declares its tables
    int slot;
    Record before, after;
};

// The slots in which now differs from then, table by table, each table's slots in ascending order.
std::vector<SlotChange> ChangedSlots(const ConfigModel& then, const ConfigModel& now);

// Puts back each changed slot as it was before the change, or as it was after it.
void PutSlots(ConfigModel& model, const std::vector<SlotChange>& changes, bool after);

} // namespace velto
