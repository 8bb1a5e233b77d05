#pragma once

#include "ConfigModel.h"
#include "Notice.h"

#include <string>
#include <string_view>

namespace velto {

inline constexpr const char* kCurrentFileVersion = "1.0.4";

// Reads a conf.xml into tables the caller has emptied. fileVersion receives the version element's
// number ("" when there is none). Returns true when every section was read to its end, false after a
// parse failure or a stop; every event on the way goes to the sink, in file order.
bool LoadConfigFile(const std::string& path, ConfigModel& model, std::string& fileVersion,
                    const NoticeSink& sink);
bool LoadConfigBytes(std::string_view bytes, ConfigModel& model, std::string& fileVersion,
                     const NoticeSink& sink);

} // namespace velto
