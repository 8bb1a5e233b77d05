#include "RecordChanges.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

ConfigModel Sample() {
    ConfigModel model;
    ClearConfiguration(model);
    model.DeviceTable[11] = {"Luce", false, 1, "1d", 0, 1};
    model.DeviceTable[21] = {"Tapparella", false, 0, "2", 0, 2};
    model.GroupTable[1] = "Sala";
    model.LoadTable[3] = "Forno";
    model.ProbeTable[4] = "Bagno";
    model.CameraTable[1] = {"Ingresso", "4000"};
    return model;
}

TEST(RecordChanges, RecordsAreMatchedByKey) {
    const ConfigModel then = Sample();
    ConfigModel now = then;
    now.DeviceTable[15] = {"Nuova", false, 0, "1", 0, 2}; // added between: the next device moves a position
    now.DeviceTable[21].inUse = 3;
    now.LoadTable[3].clear();
    now.ProbeTable[4] = "Bagno grande";
    now.ProbeTable[7] = "Cucina";
    now.CameraTable[1].address = "4001#2";

    const std::vector<RecordChange> expected{
        {TableId::Devices, 15, ChangeKind::Added},  {TableId::Loads, 3, ChangeKind::Removed},
        {TableId::Probes, 4, ChangeKind::Changed},  {TableId::Probes, 7, ChangeKind::Added},
        {TableId::Cameras, 1, ChangeKind::Changed},
    };
    EXPECT_EQ(ChangedRecords(then, now), expected);
    EXPECT_TRUE(ChangedRecords(now, now).empty());
}

TEST(RecordChanges, SummaryCountsEachTableAndKindInBothLanguages) {
    const struct {
        std::vector<RecordChange> changes;
        const char *italian, *english;
    } cases[] = {
        {{}, "nessuna modifica", "no changes"},
        {{{TableId::Devices, 1, ChangeKind::Added},
          {TableId::Devices, 2, ChangeKind::Added},
          {TableId::Loads, 3, ChangeKind::Changed}},
         "2 attuatori aggiunti, 1 carico modificato",
         "2 devices added, 1 load changed"},
        {{{TableId::Probes, 4, ChangeKind::Removed},
          {TableId::Cameras, 1, ChangeKind::Added},
          {TableId::Cameras, 2, ChangeKind::Added}},
         "1 sonda eliminata, 2 telecamere aggiunte",
         "1 probe removed, 2 cameras added"},
        {{{TableId::Auxiliaries, 2, ChangeKind::Changed},
          {TableId::Auxiliaries, 3, ChangeKind::Changed},
          {TableId::Groups, 1, ChangeKind::Removed}},
         "1 gruppo eliminato, 2 ausiliari modificati",
         "1 group removed, 2 auxiliaries changed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(ChangeSummary(c.changes, true), c.italian);
        EXPECT_EQ(ChangeSummary(c.changes, false), c.english);
    }
}

} // namespace
} // namespace velto
