#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

// The calls through which a save reaches the disk. Tests replace them to make one of them fail.
struct SaveDevice {
    // As the system's write: the count written, or -1 with errno set.
    std::function<long long(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> sync;
    bool unnamedTemporaries = true; // a file with no name until it is complete, where the system has it
};

// The system's own calls.
const SaveDevice& SystemSaveDevice();

// Why a save failed, and the path the reason is about: the file, or its folder where the folder is
// what refused (a folder the user may not write, for one).
struct SaveError {
    std::string reason;
    std::string subject;
};

// Replaces the regular file at path with bytes, so that every name of the file keeps its mode, owner,
// group, links, extended attributes and ACLs.
// - Links are followed, a dangling one creating the file it points to, except in a folder that anyone
//   may write and that has the sticky bit (like /tmp): there a link, at any component of the path, is
//   followed only when it belongs to the user saving or to the folder's owner, and a dangling link
//   that ends the path never; otherwise nothing is written.
// - Where a new file can carry all of the above, the bytes go to a new file in the same folder,
//   unnamed until it is complete where the system allows it, flushed to disk and renamed over the
//   target. A failure removes the new file; the target was never touched.
// - Otherwise (the owner, the group or an attribute cannot be given to a new file, or the file has
//   several links) the old contents are read into memory and copied to a flushed backup beside it,
//   named ".NAME.velto-backup-PROCESS-N", then the file is overwritten. A failure before the first
//   byte of the file is written (the backup cannot be made, the disk has no room for the new bytes)
//   leaves the file untouched and removes the backup. A failure while the file is overwritten writes
//   the old contents back from memory and removes the backup; only where that fails too does the
//   backup stay, named in the reason. The backup itself is never copied back. The backup is written
//   under a temporary name and renamed once it is flushed: a backup name always holds a whole copy.
// A pipe, a device, a socket or a folder, and a file without write permission, are refused before
// anything is written, and so is a folder the user may not write (the error's subject is then the
// folder). On failure error holds the reason. A temporary file that a killed save left beside the
// same target is removed by the next save of it; a backup is never removed by a save that did not
// make it (FindLeftoverBackups finds it).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, SaveError& error,
                         const SaveDevice& device = SystemSaveDevice());

// A backup that a save of the file at path made and could not finish with: the process that made it
// has gone (it holds no lock on it).
struct LeftoverBackup {
    std::string path;
    long long modifiedSeconds = 0; // since 1970, UTC
    bool ownedByUser = true;       // false: another user may have planted it (in a shared folder)
};

// The leftover backups beside the file at path, newest first.
std::vector<LeftoverBackup> FindLeftoverBackups(const std::string& path);

// Removes a leftover backup; false with error set when it cannot be removed.
bool RemoveBackup(const std::string& backup, std::string& error);

} // namespace velto
