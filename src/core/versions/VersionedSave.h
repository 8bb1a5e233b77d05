#pragma once

#include "ConfigModel.h"
#include "SafeSave.h"
#include "VersionStore.h"

#include <string>
#include <string_view>

namespace velto {

// Saves bytes, the configuration now, over the file at path through the safe save, first keeping the
// file's bytes as a version in the store when it is there. A version that cannot be kept does not stop
// the save: versionError then says why (it is empty otherwise, and after a save that failed, which
// replaced nothing). A save that fails removes the version it kept, and only a save that succeeds
// removes the versions beyond the number kept.
bool SaveKeepingVersion(VersionStore& store, const std::string& path, std::string_view bytes,
                        const ConfigModel& now, SaveError& error, std::string& versionError,
                        const SaveDevice& device = SystemSaveDevice());

} // namespace velto
