#include "WindowFixture.h"

namespace velto::testing {
namespace {

using DeviceTab = WindowFixture;

// Group and auxiliary slots are chosen, named (two may share a name) and deleted, each list on its own.
TEST_F(DeviceTab, GroupsAndAuxiliariesAreNamedAndDeletedOnTheirOwn) {
    // clang-format off
    const struct { const char *list, *nameBox, *deleteImage, *other; bool groups; } lists[] = {
        {"Lgru", "Tngru", "IbDel", "Laux", true}, {"Laux", "TnameA", "IdelAux", "Lgru", false}};
    const struct { QString action; bool groupMarks, auxMarks; const char* nameBox; } actions[] = {
        {"click", true, false, "Bell"}, {"again", true, false, "Bell"}, {"Down", true, false, "Bell"}, {"Enter", false, false, "Stale"},
        {"delete", false, true, "Stale"}, {"Space", false, true, "Stale"}, {"Delete", false, true, "Stale"}};
    // clang-format on
    for (const auto& c : lists) {
        for (const auto& a : actions) {
            SCOPED_TRACE(std::string(c.list) + " " + a.action.toStdString());
            startWindow();
            model().GroupTable = model().AuxTable = {"", "Hall", "Bell"};
            window->RefreshAllViews();
            type(c.nameBox, "Stale");
            QTest::keyClick(box(c.nameBox), Qt::Key_Backtab); // to the list
            if (a.action == "again") { // the item already selected, unseen: a click reloads its name
                const QSignalBlocker unseen(find(c.list));
                find<QListWidget>(c.list)->setCurrentRow(1);
            }
            if (a.action == "click" || a.action == "again" || a.action == "Down")
                a.action != "Down" ? clickItem(c.list, 1) : QTest::keyClick(find(c.list), Qt::Key_Down);
            else if (a.action == "Enter" || a.action == "delete")
                a.action == "Enter" ? pressEnter(c.nameBox) : clickImage(c.deleteImage);
            else { // the delete image takes the focus after the name box
                box(c.nameBox)->setFocus();
                QTest::keyClick(box(c.nameBox), Qt::Key_Tab);
                ASSERT_EQ(window->focusWidget(), find(c.deleteImage));
                QTest::keyClick(find(c.deleteImage), a.action == "Space" ? Qt::Key_Space : Qt::Key_Delete);
            }
            EXPECT_EQ(box(c.nameBox)->text(), a.nameBox);
            EXPECT_EQ(window->document().isModified(), c.groups ? a.groupMarks : a.auxMarks);
            EXPECT_EQ(items(c.list).mid(0, 3), (QStringList{"1 Hall", "2 Bell", "3 "}));
        }
        SCOPED_TRACE(c.list);
        startWindow();
        model().GroupTable[4] = model().AuxTable[4] = "Hall";
        model().DeviceTable[12] = {"Lamp", false, 3, "1", 0, 1};
        window->RefreshAllViews();
        click("Cnew");
        enter(0, {"Fan", "2", "0", "13"});
        const auto& table = c.groups ? model().GroupTable : model().AuxTable;
        nameSlot(c.list, c.nameBox, 3, "Kitchen");
        EXPECT_TRUE(window->document().isModified());
        nameSlot(c.list, c.nameBox, 5, "Kitchen");
        EXPECT_EQ(items("Cgru").mid(2, 3).join(','), c.groups ? "3 Kitchen,4 Hall,5 Kitchen" : "3,4 Hall,5");
        EXPECT_EQ(combo("Cgru")->currentText(), c.groups ? "3 Kitchen" : "3");
        EXPECT_EQ(table[3] + '|' + table[5], "Kitchen|Kitchen");
        box(c.nameBox)->clear();
        pressEnter(c.nameBox); // leaves the slot without a name
        clickItem(c.list, 2);
        clickImage(c.deleteImage);
        EXPECT_EQ((QStringList{box(c.nameBox)->text(), items(c.list).mid(2, 3).join(','),
                               QString::fromStdString(table[3] + table[5]), items("Cgru").mid(2, 3).join(','),
                               items(c.other)[3]}),
                  (QStringList{"", "3,4 Hall,5 ", "", "3,4 Hall,5", "4 Hall"}));
        click("Cok");
        EXPECT_EQ(rows("Fl_dev"), (QStringList{"Lamp|3|dimmer|12", "Fan|3|dimmer|13"}));
    }
}

// A character beyond sixteen bits (U+10000) shows in the grid, never cut in half where a long name is
// shortened, and comes back whole from the editor.
TEST_F(DeviceTab, ACharacterBeyondSixteenBitsStaysWhole) {
    const QString beyond = QString::fromUcs4(U"\U00010000");
    for (const auto& [name, shown] :
         {std::pair{"a" + beyond, "a" + beyond},
          {QString(255, 'x') + beyond + "y", QString(255, 'x') + QChar(0x2026)}}) {
        model().DeviceTable[5] = {name.toStdString(), false, 1, "1", 0, 1};
        window->RefreshAllViews();
        EXPECT_EQ(rows("Fl_dev"), QStringList{name + "|1|dimmer|5"});
        EXPECT_EQ(grid("Fl_dev")->item(0, 0)->text(), shown);
        selectRow("Fl_dev", 1);
        click("Cmod");
        type("Tname", "b");
        click("Cok");
        EXPECT_EQ(QString::fromStdString(model().DeviceTable[5].name), name + "b");
    }
}

// Names longer than any control shows are shown shortened in the lists, the group list and the questions,
// and stay whole through a Modify and Confirm, or a group named again, that leaves them as they were;
// a name typed over them is taken as typed.
TEST_F(DeviceTab, VeryLongNamesStayWhole) {
    const std::string name(100'000, 'x');
    model().DeviceTable[5] = {name, false, 2, "1", 0, 1};
    model().GroupTable[2] = model().LoadTable[1] = name;
    window->RefreshAllViews();
    const QString shown = QString(256, 'x') + QChar(0x2026);
    EXPECT_EQ(QStringList({items("Lgru")[1], items("Cgru")[1]}), QStringList({"2 " + shown, "2 " + shown}));
    for (const auto& [tab, grid, modify, confirm, nameBox] :
         {std::tuple{0, "Fl_dev", "Cmod", "Cok", "Tname"}, {1, "Fl_gru", "CmodC", "CokC", "TCarico"}}) {
        clickTab(tab);
        selectRow(grid, 1);
        click(modify);
        EXPECT_LE(box(nameBox)->text().size(), 32768);
        click(confirm);
    }
    clickItem("Lgru", 1);
    pressEnter("Tngru");
    EXPECT_EQ(QList({model().DeviceTable[5].name, model().GroupTable[2], model().LoadTable[1]}),
              QList({name, name, name}));
    toolkit.expectBox(kAnswerNo);
    click("CdelC");
    EXPECT_EQ(onlyBox().text, "Eliminare il carico " + shown + " priorità 1?");
    QTest::keyClick(box("Tngru"), Qt::Key_Backspace);
    pressEnter("Tngru");
    EXPECT_EQ(model().GroupTable[2], std::string(32767, 'x')); // what the box showed, less its ellipsis
}

// A group or auxiliary name typed without Enter is stored as Enter would once the user moves on: out
// of the box, or to a command on the configuration; Escape puts back the slot's name instead.
TEST_F(DeviceTab, ANameTypedWithoutEnterIsKeptOnMovingOn) {
    QApplication::setActiveWindow(window.get()); // focus moves need an active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    model().GroupTable[2] = "Hall";
    model().DeviceTable[12] = {"Lamp", false, 2, "1", 0, 1};
    window->RefreshAllViews();
    box("Tfind")->setText("nord"); // a device matches by its group's name, as soon as it has it
    clickItem("Lgru", 1);
    type("Tngru", "s");
    QTest::keyClick(box("Tngru"), Qt::Key_Escape);
    EXPECT_EQ(box("Tngru")->text(), "Hall");
    type("Tngru", " nord");
    QTest::keyClick(box("Tngru"), Qt::Key_Tab);
    EXPECT_EQ(items("Lgru")[1] + ',' + items("Cgru")[1], "2 Hall nord,2 Hall nord");
    EXPECT_EQ(grid("Fl_dev")->shownRowCount(), 1);
    clickItem("Laux", 0);
    type("TnameA", "Bell");
    toolkit.expectDialog(""); // Save, its dialog cancelled
    trigger("mSave");
    EXPECT_EQ(QString::fromStdString(model().GroupTable[2] + '|' + model().AuxTable[1]), "Hall nord|Bell");
    EXPECT_EQ(items("Cgru")[1] + ',' + items("Laux")[0], "2 Hall nord,1 Bell");
    EXPECT_EQ(find<QAction>("mUndo")->text(), "Annulla denominazione aux 1 «Bell»");
}

} // namespace
} // namespace velto::testing
