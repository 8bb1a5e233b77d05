#pragma once

#include <cstddef>
#include <string>

namespace velto {

// Far above any real configuration, which takes a few kilobytes.
inline constexpr std::size_t kMaxConfigFileSize = std::size_t{64} << 20;

// Reads a whole regular file of at most limit bytes. Anything else (a pipe, a device, a folder, a
// socket) is refused before a byte is read, and so is a file above the limit, so a read never blocks
// and never runs without end. On failure error holds the description and bytes is empty.
bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& error);

// Appends the rest of an open file, stopping once bytes holds more than limit; false with errno set
// on a failure.
bool ReadRest(int fd, std::string& bytes, std::size_t limit);

} // namespace velto
