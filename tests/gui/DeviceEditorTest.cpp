// What only the device tab has: positions, addresses typed as text, and the group and auxiliary lists.
#include "WindowFixture.h"

namespace velto::testing {
namespace {

using DeviceTab = WindowFixture;

// Positions follow the address order; Delete leaves the others' positions until the next Confirm.
// "05" names the same address as "5": retyping a device's own address that way keeps it.
TEST_F(DeviceTab, PositionsAndAddressesTypedAsText) {
    add(0, {"Blind", "", "1", "37"});
    add(0, {"Lamp", "", "0", "5"});
    add(0, {"Fan", "", "1", "25"});
    const auto positions = [this] {
        std::string result;
        for (const int address : {5, 25, 37, 44})
            result += std::to_string(model().DeviceTable[address].inUse);
        return result;
    };
    selectRow("Fl_dev", 1);
    click("Cmod");
    enter(0, {"Lamps", "", "0", "05"});
    click("Cok");
    EXPECT_EQ(rows("Fl_dev").value(0), "Lamps|0|dimmer|5");
    EXPECT_EQ(positions(), "1230");
    selectRow("Fl_dev", 1);
    toolkit.expectBox(kAnswerYes);
    click("Cdel");
    EXPECT_EQ(positions(), "0230");
    add(0, {"Heater", "", "0", "44"});
    EXPECT_EQ(positions(), "0123");
}

struct SlotList {
    const char *list, *nameBox, *deleteImage, *other;
    bool groups;
};
const SlotList kSlotLists[] = {{"Lgru", "Tngru", "IbDel", "Laux", true},
                               {"Laux", "TnameA", "IdelAux", "Lgru", false}};

// Groups and auxiliaries are named and deleted through their lists, each on its own; two slots may
// carry the same name. The group choice follows the groups and keeps the group chosen for a device
// being added; the devices keep their group number whatever happens to its name.
TEST_F(DeviceTab, GroupsAndAuxiliariesAreNamedAndDeletedOnTheirOwn) {
    for (const SlotList& c : kSlotLists) {
        SCOPED_TRACE(c.list);
        startWindow();
        model().GroupTable[4] = model().AuxTable[4] = "Hall";
        model().DeviceTable[12] = {"Lamp", false, 3, "1", 0, 1};
        window->RefreshAllViews();
        click("Cnew");
        enter(0, {"Fan", "2", "0", "13"});
        const auto& table = c.groups ? model().GroupTable : model().AuxTable;
        nameSlot(c.list, c.nameBox, 3, "Kitchen");
        EXPECT_EQ(combo("Cgru")->currentText(), c.groups ? "3 Kitchen" : "3");
        EXPECT_EQ(table[3], "Kitchen");
        EXPECT_TRUE(window->dirty());
        nameSlot(c.list, c.nameBox, 5, "Kitchen");
        EXPECT_EQ(items("Cgru")[4], c.groups ? "5 Kitchen" : "5");
        box(c.nameBox)->clear();
        pressEnter(c.nameBox); // leaves the slot without a name
        clickItem(c.list, 2);
        clickImage(c.deleteImage);
        EXPECT_EQ(box(c.nameBox)->text(), "");
        EXPECT_EQ(items(c.list).mid(2, 3), (QStringList{"3", "4 Hall", "5 "}));
        EXPECT_EQ(table[3] + table[5], "");
        EXPECT_EQ(items("Cgru").mid(2, 3), (QStringList{"3", "4 Hall", "5"}));
        EXPECT_EQ(items(c.other)[3], "4 Hall");
        click("Cok");
        EXPECT_EQ(rows("Fl_dev"), (QStringList{"Lamp|3|dimmer|12", "Fan|3|dimmer|13"}));
    }
}

// After a refill no item is selected, though the focus frames one: Enter and the delete image then do
// nothing (but a delete marks the auxiliaries changed). Choosing by the keys does what a click does:
// the item's name comes into the box, and a group marks the configuration changed.
TEST_F(DeviceTab, ListsActOnTheSelectedItemOnly) {
    // clang-format off
    const struct { const char* action; bool groupMarks, auxMarks; const char* nameBox; } cases[] = {
        {"click", true, false, "Bell"}, {"Down", true, false, "Bell"},
        {"Enter", false, false, "Stale"}, {"delete", false, true, "Stale"},
    };
    // clang-format on
    for (const SlotList& list : kSlotLists) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(list.list) + " " + c.action);
            startWindow();
            model().GroupTable = model().AuxTable = {"", "Hall", "Bell"};
            window->RefreshAllViews();
            type(list.nameBox, "Stale");
            QTest::keyClick(box(list.nameBox), Qt::Key_Backtab); // to the list
            const QString action = c.action;
            if (action == "click" || action == "Down")
                action == "click" ? clickItem(list.list, 1) : QTest::keyClick(find(list.list), Qt::Key_Down);
            else
                action == "Enter" ? pressEnter(list.nameBox) : clickImage(list.deleteImage);
            EXPECT_EQ(box(list.nameBox)->text(), c.nameBox);
            EXPECT_EQ(window->dirty(), list.groups ? c.groupMarks : c.auxMarks);
            EXPECT_EQ(items(list.list).mid(0, 3), (QStringList{"1 Hall", "2 Bell", "3 "}));
        }
    }
}

} // namespace
} // namespace velto::testing
