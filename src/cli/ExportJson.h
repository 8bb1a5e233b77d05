#pragma once

#include "ConfigModel.h"

#include <string>

namespace velto {

// The tables as JSON: every slot, in ascending key, that holds a non-empty text, a non-zero number or
// a true mark.
std::string ExportJson(const ConfigModel& model, const std::string& fileVersion);

} // namespace velto
