#include "VersionRecord.h"

#include "Process.h"

#include <charconv>
#include <cstdio>
#include <sstream>

namespace velto {
namespace {

constexpr std::string_view kFirstLine = "velto-version 1";
constexpr int kTables = int(TableId::Mh200Scenarios) + 1;
constexpr int kKinds = int(ChangeKind::Changed) + 1;

template <typename Number> bool Parse(std::string_view text, Number& value) {
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return failure == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string DescribeVersion(const KeptVersion& version) {
    std::ostringstream out;
    out << kFirstLine << "\nkept " << version.keptMs << "\nsize " << version.size << "\nsha256 "
        << version.sha256 << '\n';
    if (!version.changes)
        return out.str() + "changes unknown\n";
    out << "changes " << version.changes->size() << '\n';
    for (const RecordChange& change : *version.changes)
        out << int(change.table) << ' ' << change.key << ' ' << int(change.kind) << '\n';
    return out.str();
}

std::optional<KeptVersion> ParseVersion(std::string id, std::string_view description) {
    std::istringstream in{std::string(description)};
    std::string line, word, value;
    KeptVersion version;
    version.id = std::move(id);
    if (!std::getline(in, line) || line != kFirstLine)
        return std::nullopt;
    std::size_t count = 0;
    if (!(in >> word >> version.keptMs) || word != "kept" || !(in >> word >> version.size) ||
        word != "size" || !(in >> word >> version.sha256) || word != "sha256" || !(in >> word >> value) ||
        word != "changes")
        return std::nullopt;
    if (value == "unknown")
        return version;
    if (!Parse(value, count))
        return std::nullopt;
    version.changes.emplace();
    for (std::size_t i = 0; i < count; ++i) {
        int table = 0, key = 0, kind = 0;
        if (!(in >> table >> key >> kind) || table < 0 || table >= kTables || kind < 0 || kind >= kKinds)
            return std::nullopt;
        version.changes->push_back({TableId(table), key, ChangeKind(kind)});
    }
    return version;
}

std::string VersionSummary(const KeptVersion& version, bool italian) {
    if (!version.changes)
        return italian ? "il file sostituito non era una configurazione leggibile"
                       : "the file replaced was not a readable configuration";
    return ChangeSummary(*version.changes, italian);
}

std::string VersionTime(const KeptVersion& version) {
    const std::tm local = LocalTime(std::time_t(version.keptMs / 1000));
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

} // namespace velto
