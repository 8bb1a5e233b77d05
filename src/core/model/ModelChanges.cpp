#include "ModelChanges.h"

namespace velto {
namespace {

// Calls visit(table, slots...) for each table, with that table of every model given.
template <typename Visit, typename... Models> void ForEachTable(Visit visit, Models&... models) {
    int table = 0;
    visit(table++, models.DeviceTable...);
    visit(table++, models.GroupTable...);
    visit(table++, models.AuxTable...);
    visit(table++, models.LoadTable...);
    visit(table++, models.ProbeTable...);
    visit(table++, models.CameraTable...);
    visit(table++, models.ScenarioTable...);
    visit(table++, models.Mh200ScenarioTable...);
}

} // namespace

std::vector<SlotChange> ChangedSlots(const ConfigModel& then, const ConfigModel& now) {
    std::vector<SlotChange> changes;
    ForEachTable(
        [&changes](int table, const auto& before, const auto& after) {
            for (std::size_t slot = 0; slot < before.size(); ++slot) {
                if (!(before[slot] == after[slot]))
                    changes.push_back({table, int(slot), before[slot], after[slot]});
            }
        },
        then, now);
    return changes;
}

void PutSlots(ConfigModel& model, const std::vector<SlotChange>& changes, bool after) {
    ForEachTable(
        [&](int table, auto& slots) {
            using Record = typename std::decay_t<decltype(slots)>::value_type;
            for (const SlotChange& change : changes) {
                if (change.table == table)
                    slots[change.slot] = std::get<Record>(after ? change.after : change.before);
            }
        },
        model);
}

} // namespace velto
