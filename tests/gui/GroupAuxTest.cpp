#include "WindowFixture.h"

namespace velto::testing {
namespace {

using GroupsAndAux = WindowFixture;

TEST_F(GroupsAndAux, NamingAGroupShowsInTheListAndTheGroupChoice) {
    addDevice("Lamp", 0, "12", 2);
    clickItem("Lgru", 2);
    type("Tngru", "Kitchen");
    pressEnter("Tngru");
    EXPECT_EQ(items("Lgru")[2], "3 Kitchen");
    EXPECT_EQ(items("Cgru")[2], "3 Kitchen");
    EXPECT_EQ(model().GroupTable[3], "Kitchen");
    EXPECT_TRUE(window->dirty());

    // Two groups may carry the same name.
    clickItem("Lgru", 4);
    EXPECT_EQ(box("Tngru")->text(), "");
    type("Tngru", "Kitchen");
    pressEnter("Tngru");
    EXPECT_EQ(items("Cgru")[4], "5 Kitchen");

    // Selecting a named slot brings its name back; Enter with the box emptied frees the slot.
    clickItem("Lgru", 2);
    EXPECT_EQ(box("Tngru")->text(), "Kitchen");
    box("Tngru")->clear();
    pressEnter("Tngru");
    EXPECT_EQ(items("Lgru")[2], "3 ");
    EXPECT_EQ(items("Cgru")[2], "3");
    EXPECT_EQ(model().GroupTable[3], "");
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|3|dimmer|12"});
}

TEST_F(GroupsAndAux, DeletingAGroupLeavesItsDevicesInIt) {
    model().GroupTable[3] = "Kitchen";
    model().AuxTable[3] = "Bell";
    model().DeviceTable[12] = {"Lamp", false, 3, "1", 0, 1};
    window->RefreshAllViews();

    clickItem("Lgru", 2);
    clickImage("IbDel");
    EXPECT_EQ(items("Lgru")[2], "3");
    EXPECT_EQ(box("Tngru")->text(), "");
    EXPECT_EQ(items("Cgru")[2], "3");
    EXPECT_EQ(model().GroupTable[3], "");
    EXPECT_EQ(model().AuxTable[3], "Bell");
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|3|dimmer|12"});

    // A slot shown as the bare number reads as having no name.
    type("Tngru", "stale");
    clickItem("Lgru", 2);
    EXPECT_EQ(box("Tngru")->text(), "");
}

TEST_F(GroupsAndAux, AuxiliariesAreNamedAndDeletedOnTheirOwn) {
    model().GroupTable[4] = "Hall";
    window->RefreshAllViews();
    clickItem("Lgru", 3);
    clickItem("Laux", 1);
    type("TnameA", "Bell");
    pressEnter("TnameA");
    EXPECT_EQ(items("Laux")[1], "2 Bell");
    EXPECT_EQ(model().AuxTable[2], "Bell");
    EXPECT_EQ(items("Cgru")[1], "2");

    clickImage("IdelAux");
    EXPECT_EQ(items("Laux")[1], "2");
    EXPECT_EQ(box("TnameA")->text(), "");
    EXPECT_EQ(model().AuxTable[2], "");
    EXPECT_EQ(model().GroupTable[4], "Hall");
    EXPECT_EQ(items("Lgru")[3], "4 Hall");
}

TEST_F(GroupsAndAux, WhichActionsMarkTheConfigurationChanged) {
    struct Case {
        const char* action;
        bool marks;
    };
    const Case cases[] = {{"click a group", true},
                          {"click an auxiliary", false},
                          {"delete an auxiliary with none selected", true},
                          {"delete a group with none selected", false},
                          {"Enter on a group with none selected", false},
                          {"Enter on an auxiliary with none selected", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        startWindow();
        const QString action = c.action;
        if (action == "click a group")
            clickItem("Lgru", 0);
        else if (action == "click an auxiliary")
            clickItem("Laux", 0);
        else if (action.startsWith("delete"))
            clickImage(action.contains("group") ? "IbDel" : "IdelAux");
        else
            pressEnter(action.contains("group") ? "Tngru" : "TnameA");
        EXPECT_EQ(window->dirty(), c.marks);
        EXPECT_EQ(items("Lgru").join(','), "1,2,3,4,5,6,7,8,9");
        EXPECT_EQ(items("Laux").join(','), "1,2,3,4,5,6,7,8,9");
    }
}

} // namespace
} // namespace velto::testing
