#pragma once

#include "LanguageTable.h"

namespace velto {

// Why an editor's record cannot be stored as its fields stand, as the line beside Confirm says it.
enum class Why {
    None,
    Name,
    Type,
    Address,
    AddressZero,
    AddressEndsInZero,
    Priority,
    Zone,
    Number,
    Bus,
    CameraAddressRange,
    ScenarioAddressRange,
    // The key is another record's: %1 the key, %2 that record's name.
    AddressTaken,
    PriorityTaken,
    ZoneTaken,
    NumberTaken,
    Count
};

QString WhyText(Why why, bool italian);

// The reason a tab 0..4 gives when its key belongs to another record.
Why KeyTaken(int tab);

} // namespace velto
