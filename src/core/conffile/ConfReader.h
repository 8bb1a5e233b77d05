#pragma once

#include "ConfigModel.h"
#include "Notice.h"

#include <string>
#include <string_view>

namespace velto {

inline constexpr const char* kCurrentFileVersion = "1.0.4";

// Reads a conf.xml into a fresh, empty configuration that then replaces model, whether the reading
// ends, stops or the file cannot be read; an exception thrown while reading (running out of memory, or
// from the sink) leaves model and fileVersion as they were. fileVersion receives the version element's
// number ("" when there is none). Returns true when every section was read to its end, false after a
// parse failure or a stop; every event on the way goes to the sink, in file order. A file that is not
// a regular one, or larger than kMaxConfigFileSize, is refused before it is read. When fingerprint is
// given, it receives the SHA-256 of the bytes read, and stays as it was when none could be read.
bool LoadConfigFile(const std::string& path, ConfigModel& model, std::string& fileVersion,
                    const NoticeSink& sink, std::string* fingerprint = nullptr);
bool LoadConfigBytes(std::string_view bytes, ConfigModel& model, std::string& fileVersion,
                     const NoticeSink& sink);

} // namespace velto
