#pragma once

#include <string>
#include <string_view>

namespace velto {

// The system's description of an errno value.
std::string SystemErrorText(int error);

// Failures the system has no errno for, in the same voice.
inline constexpr std::string_view kNotARegularFile = "Not a regular file";
inline constexpr std::string_view kFileTooLarge = "File too large for a configuration file";

} // namespace velto
