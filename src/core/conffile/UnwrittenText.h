#pragma once

#include "ConfWriter.h"

#include <string>
#include <vector>

// How the records a save would leave out are named to the user.
namespace velto {

// "device 150 "Lamp"", "camera 4001 "" (pull)".
std::string DescribeUnwritten(const UnwrittenRecord& record);

// The question before a save that would leave records out, naming them (at most ten, then how many
// more there are); "" when the save leaves none out.
std::string LeaveOutQuestion(const ConfigModel& model, bool italian);

// The same records as a note for the import's preview; "" when there are none.
std::string LeaveOutNote(const ConfigModel& model, bool italian);

} // namespace velto
