#include "RecordBatch.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

using namespace test;
using T = TableId;

// Devices 11 "Lamp" (group 3, dimmer 40, pull) and 12 "Blind", loads 2 and 4, probe 7, cameras 1 (4000) and 2
// (4001 on a local riser), scenario 1 (12 on local bus 2).
ConfigModel Sample() {
    ConfigModel model;
    model.DeviceTable[11] = {"Lamp", true, 3, "1d", 40, 1};
    model.DeviceTable[12] = {"Blind", false, 0, "2", 0, 2};
    model.LoadTable[2] = "Oven";
    model.LoadTable[4] = "Washer";
    model.ProbeTable[7] = "Hall";
    model.CameraTable[1] = {"Door", "4000"};
    model.CameraTable[2] = {"Gate", "4001#2"};
    model.ScenarioTable[1] = {"Evening", "12#4#2"};
    return model;
}

// The table's records afterwards, or "LINE: reason" for each refusal; then the keys the records took.
Lines Outcome(const BatchOutcome& outcome, TableId table) {
    Lines lines = outcome.result ? DumpTable(*outcome.result, table) : Lines{};
    AddNotes(lines, outcome.refused);
    std::string keys = "keys";
    for (const int key : outcome.keys)
        keys += ' ' + std::to_string(key);
    lines.push_back(keys);
    return lines;
}

TEST(RecordBatch, NextFreeKeyFollowsTheEditorsKeys) {
    ConfigModel model = Sample();
    ConfigModel full;
    for (int key = 1; key <= kMaxLoad; ++key)
        full.LoadTable[key] = "L";
    // clang-format off
    const struct { TableId table; const ConfigModel& model; int after, expected; } cases[] = {
        {T::Devices, model, 0, 1}, {T::Devices, model, 10, 13}, {T::Devices, model, 19, 21}, // 20 ends in 0
        {T::Devices, model, 98, 99}, {T::Devices, model, 99, 1}, {T::Loads, model, 1, 3}, {T::Loads, model, 16, 1},
        {T::Loads, full, 3, 0}, {T::Cameras, model, 1, 3}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(NextFreeKey(c.model, c.table, c.after), c.expected)
            << "table " << int(c.table) << " after " << c.after;
}

TEST(RecordBatch, CopyNamesNumberOnFromTheOriginal) {
    // clang-format off
    const struct { std::string name; std::vector<std::string> taken; std::string expected; } cases[] = {
        {"Lamp", {"Lamp"}, "Lamp (2)"}, {"Lamp", {"Lamp", "Lamp (2)"}, "Lamp (3)"},
        {"Lamp (2)", {"Lamp", "Lamp (2)"}, "Lamp (3)"}, {"Lamp (x)", {}, "Lamp (x) (2)"}, {"(2)", {}, "(2) (2)"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CopyName(c.name, c.taken), c.expected) << c.name;
}

TEST(RecordBatch, CopiedTextIsTheExportsTabSeparatedRows) {
    ConfigModel model = Sample();
    model.DeviceTable[12].name = "=1+1";
    const int keys[] = {12, 11};
    EXPECT_EQ(CopiedText(model, T::Devices, keys), "point\tname\ttype\tgroup\tinUse\tpull\tdimmer\r\n"
                                                   "11\tLamp\t1d\t3\t1\ttrue\t40\r\n"
                                                   "12\t'=1+1\t2\t0\t2\tfalse\t0\r\n");
    const std::string own = CopiedRecords(model, T::Devices, keys);
    EXPECT_EQ(RecordsOfTable(own, T::Devices), CopiedText(model, T::Devices, keys));
    EXPECT_EQ(RecordsOfTable(own, T::Loads), std::nullopt);
    EXPECT_EQ(RecordsOfTable("point\tname", T::Devices), std::nullopt);
}

TEST(RecordBatch, PasteKeepsFreeKeysMovesTakenOnesOrRefusesTheWhole) {
    const ConfigModel model = Sample();
    // clang-format off
    const struct { const char* what; TableId table; std::string text; Lines expected; } cases[] = {
        {"every field kept; a taken key takes the next free", T::Devices,
         "point\tname\ttype\tgroup\tinUse\tpull\tdimmer\r\n11\tCopy\t1d\t3\t1\ttrue\t40\r\n5\tFive\t1\t0\t9\tfalse\t0\r\n",
         {"device 5 #1 'Five' type=1", "device 11 #2 'Lamp' type=1d group=3 dimmer=40 pull", "device 12 #3 'Blind' type=2",
          "device 13 #4 'Copy' type=1d group=3 dimmer=40 pull", "keys 13 5"}},
        {"without a heading the columns are the export's, as many as given; the apostrophe goes", T::Loads,
         "2\t'=x\n16\tLast\n", {"load 2 'Oven'", "load 3 '=x'", "load 4 'Washer'", "load 16 'Last'", "keys 3 16"}},
        {"two rows of one key", T::Probes, "zone\tname\n7\tA\n7\tB\n", {"probe 7 'Hall'", "probe 8 'A'", "probe 9 'B'", "keys 8 9"}},
        {"a taken address takes the next free one on the same riser or bus", T::Cameras,
         "1\tNew\t4001\n", {"camera 1 'Door' 4000", "camera 2 'Gate' 4001#2", "camera 3 'New' 4002", "keys 3"}},
        {"the last address goes round to the first free", T::Scenarios,
         "number\tname\taddress\n2\tEnd\t98\n1\tLate\t98#4#3\n",
         {"scf420 1 'Evening' 12#4#2", "scf420 2 'End' 98", "scf420 3 'Late' 0#4#3", "keys 2 3"}},
        {"any row breaking a rule refuses the whole, by line", T::Devices,
         "point\tname\ttype\n5\tOk\t1\n10\tTen\t1\n7\t\tx\n",
         {"3: point: '10' is not a device address (1 to 99, not ending in 0)",
          "4: name: the name is empty; type: 'x' is not a type: use dimmer, autom., on/off or 1, 2, 1d", "keys"}},
        {"a heading of another table is no heading", T::Loads, "zone\tname\n1\tA\n", {"1: priority: 'zone' is not a whole number from 1 to 16", "keys"}},
        {"too few cells without a heading", T::Devices, "5\tA\n", {"1: the column 'type' or 'tipo' is missing", "keys"}},
        {"nothing to paste", T::Loads, "", {"1: the file is empty", "keys"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(PasteRecords(model, c.table, c.text, false), c.table), c.expected) << c.what;
}

TEST(RecordBatch, PasteWithNoFreeKeyIsRefused) {
    ConfigModel model;
    for (int key = 1; key <= kMaxLoad; ++key)
        model.LoadTable[key] = "L";
    EXPECT_EQ(Outcome(PasteRecords(model, T::Loads, "3\tMore\n", true), T::Loads),
              (Lines{"1: priority: nessun valore libero per 'More'", "keys"}));
    const BatchOutcome refused = PasteRecords(model, T::Loads, Repeat("3\tMore\n", 5000), false);
    ASSERT_EQ(refused.refused.size(), 1001u);
    EXPECT_EQ(refused.refused.back().line, 1001);
    EXPECT_EQ(refused.refused.back().text, "the rows after it left out: 1000 rows already refused");
}

TEST(RecordBatch, DuplicatesTakeTheNextFreeKeysAndAddressesNamedAsCopies) {
    const ConfigModel model = Sample();
    // clang-format off
    const struct { TableId table; std::vector<int> keys; Lines expected; } cases[] = {
        {T::Devices, {11, 12}, {"device 11 #1 'Lamp' type=1d group=3 dimmer=40 pull", "device 12 #2 'Blind' type=2",
          "device 13 #3 'Lamp (2)' type=1d group=3 dimmer=40 pull", "device 14 #4 'Blind (2)' type=2", "keys 13 14"}},
        {T::Loads, {4, 4}, {"load 2 'Oven'", "load 4 'Washer'", "load 5 'Washer (2)'", "load 6 'Washer (3)'", "keys 5 6"}},
        {T::Cameras, {2}, {"camera 1 'Door' 4000", "camera 2 'Gate' 4001#2", "camera 3 'Gate (2)' 4002#2", "keys 3"}}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(DuplicateRecords(model, c.table, c.keys, false), c.table), c.expected)
            << "table " << int(c.table);
}

TEST(RecordBatch, MovedRecordsTakeTheFreeKeysFromTheFirstOn) {
    ConfigModel model = Sample();
    model.LoadTable[5] = "Dryer";
    // clang-format off
    const struct { std::vector<int> keys; int first; Lines expected; } cases[] = {
        {{2, 5}, 3, {"load 3 'Oven'", "load 4 'Washer'", "load 5 'Dryer'", "keys 3 5"}},
        {{5, 2}, 1, {"load 1 'Oven'", "load 2 'Dryer'", "load 4 'Washer'", "keys 1 2"}},
        {{2, 4, 5}, 15, {"0: priority: no free value for 'Dryer'", "keys"}}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(MoveRecords(model, T::Loads, c.keys, c.first, false), T::Loads), c.expected)
            << "first " << c.first;
}

TEST(RecordBatch, ChangesAndDeletesTouchOnlyTheRecordsGiven) {
    ConfigModel model = Sample();
    model.DeviceTable[13] = {"Fan", false, 1, "1", 0, 3};
    const int keys[] = {11, 12};
    ChangeDevices(model, keys, {5, std::nullopt});
    ChangeDevices(model, std::span(keys).first(1), {std::nullopt, "2"});
    DeleteRecords(model, T::Loads, std::vector{4});
    EXPECT_EQ(Dump(model), (Lines{"device 11 #1 'Lamp' type=2 group=5 dimmer=40 pull",
                                  "device 12 #2 'Blind' type=2 group=5", "device 13 #3 'Fan' type=1 group=1",
                                  "load 2 'Oven'", "probe 7 'Hall'", "camera 1 'Door' 4000",
                                  "camera 2 'Gate' 4001#2", "scf420 1 'Evening' 12#4#2"}));
    DeleteRecords(model, T::Devices, keys);
    EXPECT_EQ(Dump(model).front(),
              "device 11 #0 '' type= dimmer=40 pull"); // as one device's Delete leaves it
}

} // namespace
} // namespace velto
