#include "VersionedSave.h"

#include "FileBytes.h"

namespace velto {

bool SaveKeepingVersion(VersionStore& store, const std::string& path, std::string_view bytes,
                        const ConfigModel& now, SaveError& error, std::string& versionError,
                        const SaveDevice& device) {
    versionError.clear();
    std::string replaced, keptId;
    const bool there = StampOf(path).exists;
    if (there && ReadRegularFile(path, kMaxConfigFileSize, replaced, versionError))
        store.keep(path, replaced, now, keptId, versionError);
    if (!WriteFileAtomically(path, bytes, error, device)) {
        if (!keptId.empty())
            store.drop(path, keptId);
        versionError.clear(); // nothing was replaced: a folder, say, whose reading failed too
        return false;
    }
    if (there && versionError.empty())
        store.prune(path);
    return true;
}

} // namespace velto
