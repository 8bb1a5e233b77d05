// What only the device tab has: positions, addresses typed as text, and the group and auxiliary lists.
#include "WindowFixture.h"

namespace velto::testing {
namespace {

using DeviceTab = WindowFixture;

// "05" names the same address as "5": retyping a device's own address that way keeps it.
TEST_F(DeviceTab, OwnAddressWithALeadingZeroIsTheSameAddress) {
    add(0, {"Lamp", "", "0", "5"});
    selectRow("Fl_dev", 1);
    click("Cmod");
    enter(0, {"Lamps", "", "0", "05"});
    click("Cok");
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamps|0|dimmer|5"});
    EXPECT_EQ(model().DeviceTable[5].inUse, 1);
}

// Positions follow the address order; Delete leaves the others' positions until the next Confirm.
TEST_F(DeviceTab, PositionsAreRenumberedOnConfirmNotOnDelete) {
    add(0, {"Blind", "", "1", "37"});
    add(0, {"Lamp", "", "0", "12"});
    add(0, {"Fan", "", "1", "25"});
    const auto positions = [this] {
        std::string result;
        for (const int address : {12, 25, 37, 44})
            result += std::to_string(model().DeviceTable[address].inUse);
        return result;
    };
    EXPECT_EQ(positions(), "1230");
    selectRow("Fl_dev", 1);
    toolkit.expectBox(kAnswerYes);
    click("Cdel");
    EXPECT_EQ(onlyBox().text, "Eliminare l'attuatore 12 Lamp?");
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

// Groups and auxiliaries are named and deleted through their lists, the group choice following the
// groups and keeping the group chosen for a device being added; the devices keep their group number
// whatever happens to its name.
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
        const auto choice = [&](int slot, const QString& name) {
            return c.groups ? name : QString::number(slot);
        };

        nameSlot(c.list, c.nameBox, 3, "Kitchen");
        EXPECT_EQ(items(c.list)[2], "3 Kitchen");
        EXPECT_EQ(combo("Cgru")->currentText(), choice(3, "3 Kitchen"));
        EXPECT_EQ(table[3], "Kitchen");
        EXPECT_TRUE(window->dirty());
        // Two slots may carry the same name; a slot without one brings an empty name box.
        clickItem(c.list, 4);
        EXPECT_EQ(box(c.nameBox)->text(), "");
        type(c.nameBox, "Kitchen");
        pressEnter(c.nameBox);
        EXPECT_EQ(items("Cgru")[4], choice(5, "5 Kitchen"));

        // Enter on an emptied box leaves a slot without a name; deleting clears the slot and the box.
        box(c.nameBox)->clear();
        pressEnter(c.nameBox);
        EXPECT_EQ(items(c.list)[4], "5 ");
        EXPECT_EQ(table[5], "");
        clickItem(c.list, 2);
        clickImage(c.deleteImage);
        EXPECT_EQ(items(c.list)[2], "3");
        EXPECT_EQ(box(c.nameBox)->text(), "");
        EXPECT_EQ(table[3], "");
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
