#pragma once

#include <cstddef>
#include <cstdint>
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

// What tells one state of a file from another: which file it is, its size and its last change.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
    // The same file (the same device and inode), whatever its contents.
    bool SameFile(const FileStamp& other) const {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
};

// The stamp of the file at path, links followed; exists is false when there is none to see.
FileStamp StampOf(const std::string& path);

} // namespace velto
