#pragma once

#include "RecordChanges.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velto {

// One kept version of a file: the bytes a save replaced, when, and what that save changed.
struct KeptVersion {
    std::string id;       // its name in the file's folder of versions; newer versions sort after older
    long long keptMs = 0; // when the save replaced it, in milliseconds since 1970 (UTC)
    std::uint64_t size = 0;
    std::string sha256;
    // What the save changed, record by record; none when the bytes replaced were no configuration the
    // reader could read to its end.
    std::optional<std::vector<RecordChange>> changes;
};

// The version's description as it is kept beside its bytes: counts and keys only, so that its summary
// is given in the language in force when it is shown.
std::string DescribeVersion(const KeptVersion& version);
// The version a description holds, its id given; none when the description is damaged.
std::optional<KeptVersion> ParseVersion(std::string id, std::string_view description);

// What the save that replaced the version changed, in one line ("2 devices added, 1 load changed").
std::string VersionSummary(const KeptVersion& version, bool italian);
// When the save replaced it, in local time: "2026-12-07 14:02:33".
std::string VersionTime(const KeptVersion& version);

} // namespace velto
