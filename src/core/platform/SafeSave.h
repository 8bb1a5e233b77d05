#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace velto {

// The calls through which a save reaches the disk. Tests replace them to make one of them fail.
struct SaveDevice {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> sync;
    bool unnamedTemporaries = true; // a file with no name until it is complete, where the system has it
};

// The system's own calls.
const SaveDevice& SystemSaveDevice();

// Replaces the regular file at path (following links; a dangling link creates the file it points to)
// with bytes, so that every name of the file keeps its mode, owner, group and links.
// - Where a new file can carry all of that, the bytes go to a new file in the same folder, unnamed
//   until it is complete where the system allows it, flushed to disk and renamed over the target.
// - Otherwise (the owner or the group cannot be given to a new file, or the file has several links)
//   the old contents are first copied to a backup beside it, then overwritten; a failure puts the
//   backup back.
// A pipe, a device, a socket or a folder, and a file without write permission, are refused before
// anything is written. On failure the old file is as it was and error holds the reason. Temporary and
// backup files a killed save left beside the same target are removed by the next save of it.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         const SaveDevice& device = SystemSaveDevice());

} // namespace velto
