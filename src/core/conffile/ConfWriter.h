#pragma once

#include "ConfigModel.h"

#include <string>

namespace velto {

// The whole conf.xml for the tables, byte for byte: CR LF line ends, pure ASCII (characters above
// U+007F as decimal character references), XML-escaped values.
std::string WriteConfig(const ConfigModel& model);

} // namespace velto
