#include "RecordChanges.h"

#include <array>
#include <map>

namespace velto {
namespace {

bool SameRecord(const DeviceRecord& a, const DeviceRecord& b) {
    return a.name == b.name && a.typeCode == b.typeCode && a.group == b.group && a.pull == b.pull &&
           a.dimmer == b.dimmer;
}
template <typename Record> bool SameRecord(const Record& a, const Record& b) {
    return a == b;
}

template <typename Table>
void CompareTable(TableId id, const Table& then, const Table& now, std::vector<RecordChange>& changes) {
    for (std::size_t key = 0; key < then.size(); ++key) {
        const bool was = InUse(then[key]), is = InUse(now[key]);
        if (!was && is)
            changes.push_back({id, int(key), ChangeKind::Added});
        else if (was && !is)
            changes.push_back({id, int(key), ChangeKind::Removed});
        else if (was && !SameRecord(then[key], now[key]))
            changes.push_back({id, int(key), ChangeKind::Changed});
    }
}

// A table's records counted: singular and plural, Italian then English. The Italian past participle
// agrees with the noun, so each noun carries its own ending (masculine -o/-i, feminine -a/-e).
struct CountedNoun {
    std::string_view italianOne, italianMany;
    bool italianFeminine;
    std::string_view englishOne, englishMany;
};

constexpr std::array<CountedNoun, 8> kNouns{{
    {"attuatore", "attuatori", false, "device", "devices"},
    {"gruppo", "gruppi", false, "group", "groups"},
    {"carico", "carichi", false, "load", "loads"},
    {"ausiliario", "ausiliari", false, "auxiliary", "auxiliaries"},
    {"sonda", "sonde", true, "probe", "probes"},
    {"telecamera", "telecamere", true, "camera", "cameras"},
    {"scenario", "scenari", false, "scenario", "scenarios"},
    {"scenario MH200", "scenari MH200", false, "MH200 scenario", "MH200 scenarios"},
}};

// The participle of a change, agreeing in Italian with the table's noun, one record or many.
std::string ChangeParticiple(TableId table, ChangeKind kind, bool one, bool italian) {
    if (!italian) {
        static constexpr std::array<std::string_view, 3> kVerbs{"added", "removed", "changed"};
        return std::string(kVerbs[int(kind)]);
    }
    static constexpr std::array<std::string_view, 3> kStems{"aggiunt", "eliminat", "modificat"};
    const bool feminine = kNouns[std::size_t(table)].italianFeminine;
    return std::string(kStems[int(kind)]) + (feminine ? (one ? 'a' : 'e') : (one ? 'o' : 'i'));
}

std::string CountText(TableId table, ChangeKind kind, int count, bool italian) {
    const CountedNoun& noun = kNouns[std::size_t(table)];
    const bool one = count == 1;
    const std::string_view name =
        italian ? (one ? noun.italianOne : noun.italianMany) : (one ? noun.englishOne : noun.englishMany);
    return std::to_string(count) + ' ' + std::string(name) + ' ' +
           ChangeParticiple(table, kind, one, italian);
}

} // namespace

std::vector<RecordChange> ChangedRecords(const ConfigModel& then, const ConfigModel& now) {
    std::vector<RecordChange> changes;
    CompareTable(TableId::Devices, then.DeviceTable, now.DeviceTable, changes);
    CompareTable(TableId::Groups, then.GroupTable, now.GroupTable, changes);
    CompareTable(TableId::Loads, then.LoadTable, now.LoadTable, changes);
    CompareTable(TableId::Auxiliaries, then.AuxTable, now.AuxTable, changes);
    CompareTable(TableId::Probes, then.ProbeTable, now.ProbeTable, changes);
    CompareTable(TableId::Cameras, then.CameraTable, now.CameraTable, changes);
    CompareTable(TableId::Scenarios, then.ScenarioTable, now.ScenarioTable, changes);
    CompareTable(TableId::Mh200Scenarios, then.Mh200ScenarioTable, now.Mh200ScenarioTable, changes);
    return changes;
}

std::string ChangeWord(TableId table, ChangeKind kind, bool italian) {
    return ChangeParticiple(table, kind, true, italian);
}

std::string ChangeSummary(const std::vector<RecordChange>& changes, bool italian) {
    if (changes.empty())
        return italian ? "nessuna modifica" : "no changes";
    // Counted by table in the order of kTableShapes, then added, removed, changed.
    std::map<std::pair<TableId, ChangeKind>, int> counts;
    for (const RecordChange& change : changes)
        ++counts[{change.table, change.kind}];
    std::string summary;
    for (const auto& [what, count] : counts) {
        if (!summary.empty())
            summary += ", ";
        summary += CountText(what.first, what.second, count, italian);
    }
    return summary;
}

} // namespace velto
