#include "RecordEditor.h"
#include "WindowFixture.h"

namespace velto::testing {
namespace {

using DeviceEditor = WindowFixture;

TEST_F(DeviceEditor, ConfirmFollowsTheAddressRule) {
    struct Case {
        const char* address;
        bool accepted;
    };
    const Case cases[] = {{"10", false}, {"20", false}, {"00", false}, {"0", false}, {"", false},
                          {"01", true},  {"5", true},   {"11", true},  {"99", true}};
    click("Cnew");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        box("Tind")->clear();
        type("Tind", c.address);
        type("Tname", "Lamp");
        EXPECT_FALSE(enabled("Cok")) << "without a type";
        choose("Ctipo", 0);
        EXPECT_EQ(enabled("Cok"), c.accepted);
        box("Tname")->clear();
        EXPECT_FALSE(enabled("Cok")) << "without a name";
        choose("Ctipo", -1);
    }
}

TEST_F(DeviceEditor, AddressBoxTakesTwoDigitsOnly) {
    click("Cnew");
    type("Tind", "a 4x");
    EXPECT_EQ(box("Tind")->text(), "4");
    type("Tind", "27");
    EXPECT_EQ(box("Tind")->text(), "42");

    // Pasted text cannot bring anything but digits either.
    box("Tind")->clear();
    paste("Tind", "7a");
    EXPECT_EQ(box("Tind")->text(), "");
    box("Tind")->insert(" 3");
    EXPECT_EQ(box("Tind")->text(), "");
    paste("Tind", "73");
    EXPECT_EQ(box("Tind")->text(), "73");
}

TEST_F(DeviceEditor, TypeAndGroupGoBothWays) {
    struct Case {
        int type;
        const char* code;
        const char* shown;
        int group; // -1: none
    };
    const Case cases[] = {{0, "1", "dimmer", -1}, {1, "2", "autom.", 2}, {2, "1d", "on/off", 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        startWindow();
        addDevice("Lamp", c.type, "12", c.group);
        const DeviceRecord& stored = model().DeviceTable[12];
        EXPECT_EQ(stored.typeCode, c.code);
        EXPECT_EQ(stored.group, c.group + 1);
        EXPECT_EQ(stored.inUse, 1);
        EXPECT_EQ(rows("Fl_dev"), QStringList{QString("Lamp|%1|%2|12").arg(c.group + 1).arg(c.shown)});

        selectRow("Fl_dev", 1);
        click("Cmod");
        EXPECT_EQ(combo("Ctipo")->currentIndex(), c.type);
        EXPECT_EQ(combo("Cgru")->currentIndex(), c.group);
        EXPECT_EQ(box("Tind")->text(), "12");
        click("Cok"); // unchanged: no duplicate message
        EXPECT_EQ(rows("Fl_dev"), QStringList{QString("Lamp|%1|%2|12").arg(c.group + 1).arg(c.shown)});
    }
}

TEST_F(DeviceEditor, ModifyMovesToAFreeAddressAndRefusesATakenOne) {
    addDevice("Lamp", 0, "12");
    addDevice("Fan", 2, "15");
    ASSERT_EQ(rows("Fl_dev"), (QStringList{"Lamp|0|dimmer|12", "Fan|0|on/off|15"}));

    selectRow("Fl_dev", 1);
    click("Cmod");
    selectRow("Fl_dev", 2); // the grid stays clickable; the record under modification stays the same
    box("Tind")->clear();
    type("Tind", "15");
    toolkit.expectBox(kAnswerOk);
    click("Cok");
    const RecordedBox warning = onlyBox();
    EXPECT_EQ(warning.text, "Indirizzo già presente");
    EXPECT_EQ(warning.title, "Attenzione");
    EXPECT_EQ(warning.buttons, Buttons::Ok);
    EXPECT_EQ(warning.icon, Icon::Exclamation);
    EXPECT_EQ(window->editor(0).mode(), EditMode::Modifying);
    EXPECT_EQ(box("Tind")->text(), "15");
    EXPECT_EQ(model().DeviceTable[12].name, "Lamp");
    EXPECT_EQ(model().DeviceTable[15].name, "Fan");

    box("Tind")->clear();
    type("Tind", "13");
    click("Cok");
    EXPECT_EQ(rows("Fl_dev"), (QStringList{"Lamp|0|dimmer|13", "Fan|0|on/off|15"}));
    EXPECT_EQ(model().DeviceTable[12].inUse, 0);
    EXPECT_EQ(model().DeviceTable[12].name, "");
    EXPECT_EQ(window->editor(0).mode(), EditMode::Browsing);

    // Adding at a taken address warns in the language in force.
    trigger("mEng");
    click("Cnew");
    type("Tname", "Other");
    choose("Ctipo", 1);
    type("Tind", "13");
    toolkit.expectBox(kAnswerOk);
    click("Cok");
    const RecordedBox english = onlyBox();
    EXPECT_EQ(english.text, "Address already inserted");
    EXPECT_EQ(english.title, "Warning");
    EXPECT_EQ(model().DeviceTable[13].name, "Lamp");
    EXPECT_EQ(window->editor(0).mode(), EditMode::Adding);
}

// Only a file can bring a type code the list does not name; the type stays unchosen.
TEST_F(DeviceEditor, ModifyOfAnUnlistedTypeLeavesTheTypeUnchosen) {
    model().DeviceTable[12] = {"Lamp", false, 0, "Dimmer", 0, 1};
    window->RefreshAllViews();
    selectRow("Fl_dev", 1);
    click("Cmod");
    EXPECT_EQ(combo("Ctipo")->currentIndex(), -1);
    EXPECT_FALSE(enabled("Cok"));
}

// "05" names the same address as "5": retyping a device's own address that way keeps it.
TEST_F(DeviceEditor, OwnAddressWithALeadingZeroIsTheSameAddress) {
    addDevice("Lamp", 0, "5");
    selectRow("Fl_dev", 1);
    click("Cmod");
    box("Tind")->clear();
    type("Tind", "05");
    type("Tname", "s");
    click("Cok");
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamps|0|dimmer|5"});
    EXPECT_EQ(model().DeviceTable[5].inUse, 1);
}

TEST_F(DeviceEditor, DeleteAsksAndKeepsPositionsUntilTheNextConfirm) {
    addDevice("Lamp", 0, "12");
    addDevice("Fan", 1, "25");
    addDevice("Blind", 1, "37");
    EXPECT_EQ(model().DeviceTable[37].inUse, 3);

    struct Step {
        int answer;
        QStringList left;
    };
    const Step steps[] = {{kAnswerNo, {"Lamp|0|dimmer|12", "Fan|0|autom.|25", "Blind|0|autom.|37"}},
                          {kAnswerYes, {"Fan|0|autom.|25", "Blind|0|autom.|37"}}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.answer);
        selectRow("Fl_dev", 1);
        toolkit.expectBox(step.answer);
        click("Cdel");
        const RecordedBox question = onlyBox();
        EXPECT_EQ(question.text, "Eliminare l'attuatore 12 Lamp?");
        EXPECT_EQ(question.title, "velto-configurator");
        EXPECT_EQ(question.buttons, Buttons::YesNo);
        EXPECT_EQ(question.icon, Icon::Question);
        EXPECT_EQ(window->lastAnswer(), QString::number(step.answer));
        EXPECT_EQ(rows("Fl_dev"), step.left);
    }
    EXPECT_EQ(model().DeviceTable[12].name, "");
    EXPECT_EQ(model().DeviceTable[25].inUse, 2);
    EXPECT_EQ(model().DeviceTable[37].inUse, 3);

    addDevice("Heater", 0, "44");
    EXPECT_EQ(model().DeviceTable[25].inUse, 1);
    EXPECT_EQ(model().DeviceTable[37].inUse, 2);
    EXPECT_EQ(model().DeviceTable[44].inUse, 3);

    trigger("mEng");
    selectRow("Fl_dev", 3);
    toolkit.expectBox(kAnswerNo);
    click("Cdel");
    EXPECT_EQ(onlyBox().text, "Do you want delete device 44 Heater?");
}

TEST_F(DeviceEditor, GroupAndTypeListsIgnoreTyping) {
    click("Cnew");
    choose("Cgru", 1);
    for (const char* name : {"Cgru", "Ctipo"}) {
        const int before = combo(name)->currentIndex();
        keys(name, "5on");
        EXPECT_EQ(combo(name)->currentIndex(), before) << name;
    }
}

TEST_F(DeviceEditor, ChangingTabWhileAddingDiscardsTheInput) {
    click("Cnew");
    type("Tname", "Lamp");
    choose("Ctipo", 0);
    type("Tind", "12");
    clickTab(2);
    clickTab(0);
    EXPECT_EQ(window->editor(0).mode(), EditMode::Browsing);
    EXPECT_EQ(box("Tname")->text(), "");
    EXPECT_EQ(combo("Ctipo")->currentIndex(), -1);
    EXPECT_EQ(box("Tind")->text(), "");
    EXPECT_TRUE(emptyGrid("Fl_dev"));
    EXPECT_FALSE(window->dirty());
}

} // namespace
} // namespace velto::testing
