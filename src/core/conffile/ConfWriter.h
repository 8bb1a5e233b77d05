#pragma once

#include "ConfigModel.h"

#include <string>
#include <vector>

namespace velto {

// The whole conf.xml for the tables, byte for byte: CR LF line ends, pure ASCII (characters above
// U+007F as decimal character references), XML-escaped values.
std::string WriteConfig(const ConfigModel& model);

// A record, or part of one, that the tables hold and the file cannot: a device beyond address 99, a
// record in slot 0, an MH200 scenario, a camera without a name or an address, a scenario without an
// address, a device's pull mark and dimmer level.
struct UnwrittenRecord {
    std::string element; // as the file would name it: "device", "camera", "scmh200"...
    int key;
    std::string name;
    std::string parts; // "" for the whole record, else the parts left out ("pull", "dimmer 40")
};

// What WriteConfig leaves out of the tables, section by section in the file's order, keys ascending.
std::vector<UnwrittenRecord> RecordsNotWritten(const ConfigModel& model);

} // namespace velto
