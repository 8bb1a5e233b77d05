#pragma once

#include <string>
#include <string_view>

namespace velto {

// Replaces the file at path with bytes in one step: the bytes go to a temporary file in the same
// folder, which takes the target's place only once every byte is written and flushed to disk. On
// failure the target is untouched, the temporary file is removed, and error holds the system's
// description.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

} // namespace velto
