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
// (in milliseconds, as ProcessStartTime answers it), "<pid>-<start>". The configuration, in the conf.xml
// format, is written in turn to
// "<pid>-<start>.1.xml" and "<pid>-<start>.2.xml", each write sealed by a last line that a write cut
// short lacks, so that one of the two is always whole. Beside them, "<pid>-<start>.path" holds the path
// of the file being edited ("" for a configuration never saved). The folder is made, open to its owner
// only, when it is missing; a folder that is not private (see MakePrivateFolder) is not written to, nor
// are files in it that are links or another user's.
class RecoveryFile {
public:
    RecoveryFile(std::filesystem::path folder, long pid, long long start);

    // Writes the configuration over the older of its two files, and the path, when it changed, under a
    // temporary name renamed into place; it does not wait for the disk. False, with the reason in
    // error, when a file could not be written.
    bool write(const ConfigModel& model, const std::string& editedFile, std::string& error);
    // Removes the files, when they are there.
    void remove();
    const std::filesystem::path& folder() const { return folder_; }
    const std::string& name() const { return name_; }

private:
    std::filesystem::path slot(int which) const; // the configuration file 1 or 2
    void removeConfigurations();

    std::filesystem::path folder_;
    std::string name_;
    long long written_ = 0; // the writes made: the n that sealed the last one
    std::optional<std::string> editedFileWritten_;
};

// This process's recovery file in RecoveryFolder(), under its number and start time (the present
// moment when the system does not tell).
RecoveryFile OwnRecoveryFile();

// A recovery file left by a process that no longer runs.
struct Leftover {
    std::filesystem::path file; // its latest configuration: the one of the latest sealed write, if any
    std::string editedFile;     // the path of the file it was a change of; "" for one never saved
    std::chrono::system_clock::time_point written;
    std::vector<std::filesystem::path> files; // every file of it, the path beside included
};

// The leftovers in the folder of this process's recovery file, newest first: those of processes that no
// longer run; none when the folder is not private. Links are not read. A process that runs under the
// number in a name but began at another time took the number over, so the files are a leftover; so are
// files with this process's number under another name than its own, left by an earlier process that
// had the same number.
std::vector<Leftover> FindLeftovers(const RecoveryFile& own);

// Reads a leftover into model, which is replaced only when the reading ends; otherwise the notice
// that stopped it, and model is as it was.
std::optional<Notice> ReadLeftover(const Leftover& leftover, ConfigModel& model);

// Removes every file of the leftover.
void RemoveLeftover(const Leftover& leftover);

} // namespace velto
