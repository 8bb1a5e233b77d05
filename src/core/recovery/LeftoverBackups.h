#pragma once

#include "SafeSave.h"

#include <string>
#include <vector>

// The backups unfinished saves left beside a file, sorted into those a restore may use and those it
// must leave alone.
namespace velto {

struct ExaminedBackups {
    std::vector<LeftoverBackup> whole; // the user's own, read as a configuration; newest first
    // One line for each backup that is never restored nor removed: "PATH: incomplete backup",
    // "PATH: backup of another user, not used".
    std::vector<std::string> unusable;
};

ExaminedBackups ExamineBackups(const std::string& path, bool italian);

// The unusable backups' lines for one box: at most ten, then how many more there are.
std::string UnusableBackupsText(const std::vector<std::string>& unusable, bool italian);

} // namespace velto
