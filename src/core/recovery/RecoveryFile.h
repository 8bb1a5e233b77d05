#pragma once

#include "ConfigModel.h"
#include "Notice.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Recovery files: the configuration written after every change, so that a crash of the program or of
// the machine costs no work, and what a later start finds of them.
namespace velto {

// The folder "velto-configurator" in the user's state folder (see UserStateFolder).
std::filesystem::path RecoveryFolder();

// This process's recovery file in a folder, named after the process: its number and the time it began
// (in milliseconds), "<pid>-<start>". The configuration, in the conf.xml format, is "<pid>-<start>.<n>.xml",
// n counting the writes: each write puts a new file in place and then removes the one before, since
// replacing a file by a rename makes some file systems write it to disk at once. Beside it,
// "<pid>-<start>.path" holds the path of the file being edited ("" for a configuration never saved).
// The folder is made, open to its owner only, when it is missing.
class RecoveryFile {
public:
    RecoveryFile(std::filesystem::path folder, long pid, long long start);

    // Writes each file under a temporary name and renames it into place; it does not wait for the
    // disk. False, with the reason in error, when a file could not be written.
    bool write(const ConfigModel& model, const std::string& editedFile, std::string& error);
    // Removes the files, when they are there.
    void remove();
    const std::filesystem::path& folder() const { return folder_; }
    const std::string& name() const { return name_; }

private:
    std::filesystem::path folder_;
    std::string name_;
    int written_ = 0; // the n of the last configuration written
    std::optional<std::string> editedFileWritten_;
};

// A recovery file left by a process that no longer runs.
struct Leftover {
    std::filesystem::path file; // its latest configuration
    std::string editedFile;     // the path of the file it was a change of; "" for one never saved
    std::chrono::system_clock::time_point written;
    std::vector<std::filesystem::path> files; // every file of it, the path beside included
};

// The leftovers in the folder of this process's recovery file, newest first: those of processes that no
// longer run. Files with this process's number under another name than its own were left by an earlier
// process that had the same number.
std::vector<Leftover> FindLeftovers(const RecoveryFile& own);

// Reads a leftover into model, which is replaced only when the reading ends; otherwise the notice
// that stopped it, and model is as it was.
std::optional<Notice> ReadLeftover(const Leftover& leftover, ConfigModel& model);

// Removes every file of the leftover.
void RemoveLeftover(const Leftover& leftover);

} // namespace velto
