#pragma once

#include "ConfigModel.h"
#include "VersionRecord.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

inline constexpr std::string_view kVersionDamaged = "The version is damaged: its bytes are not those kept";

// How many versions of each file are kept, unless the user's setting says otherwise; 0 keeps none.
inline constexpr int kDefaultVersionsKept = 20;
inline constexpr int kMostVersionsKept = 999;

// The folder "velto-configurator/versions" in the user's data folder (see UserDataFolder).
std::filesystem::path UserVersionsRoot();

// The versions of the files saved, under a root folder: one folder per file, named after the SHA-256
// of its full path with links resolved, holding "path" (that full path) and for each version "<id>.xml"
// (the bytes replaced) and "<id>.txt" (its description). The root also holds the setting "keep", the
// number of versions kept per file, so that the window and velto-conf honour the same one. Folders are
// made open to the user only and are used only while private (see MakePrivateFolder); files are made
// open to the user only, never written through a link or over another user's file, and written whole
// through the safe save (without waiting for the disk, see UnflushedDevice).
class VersionStore {
public:
    explicit VersionStore(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }
    // The folder of the versions of the file at path.
    std::filesystem::path folderOf(const std::string& path) const;

    // The number of versions kept per file: the setting, else kDefaultVersionsKept.
    int keptCount() const;
    bool setKeptCount(int count, std::string& error);

    // Keeps the bytes that a save of the file at path replaces by the configuration now. keptId is the
    // new version's id, empty when a version with the same bytes is kept already (or none are kept).
    // False, with the reason in error, when the version could not be kept.
    bool keep(const std::string& path, std::string_view replaced, const ConfigModel& now, std::string& keptId,
              std::string& error);
    // Removes one version (a save that failed after keeping it).
    void drop(const std::string& path, const std::string& id);
    // Removes the oldest versions beyond keptCount(), and any file a keep cut short left.
    void prune(const std::string& path);

    // The file's versions, newest first; none, with the reason in error, when its folder is not private.
    std::vector<KeptVersion> versions(const std::string& path, std::string& error) const;
    // The version's bytes; false, with the reason in error, when they cannot be read or are not the
    // bytes kept.
    bool readBytes(const std::string& path, const KeptVersion& version, std::string& bytes,
                   std::string& error) const;

private:
    std::filesystem::path root_;
};

} // namespace velto
