// The editing pattern as every tab follows it, and the rules and choices of each tab's fields.
#include "RecordEditor.h"
#include "WindowFixture.h"

#include <QMenu>
#include <QTemporaryDir>

namespace velto::testing {
namespace {

struct Kind {
    int tab;
    int lastKey;
    std::string (*nameAt)(const ConfigModel&, int key); // "" for a free slot
    const char* taken[2]; // the warning for a key in use, in Italian and English
    const char* ask[2];   // the delete question: %1 the name, %2 the key
};

// clang-format off
const Kind kKinds[] = {
    {0, 99, [](const ConfigModel& m, int k) { return m.DeviceTable[k].name; }, {"Indirizzo già presente", "Address already inserted"}, {"Eliminare l'attuatore %2 %1?", "Do you want delete device %2 %1?"}},
    {1, 16, [](const ConfigModel& m, int k) { return m.LoadTable[k]; }, {"Priorità già inserita", "Priority already inserted"}, {"Eliminare il carico %1 priorità %2?", "Do you want delete load %1 priority %2?"}},
    {2, 99, [](const ConfigModel& m, int k) { return m.ProbeTable[k]; }, {"Zona già inserita", "Zone already inserted"}, {"Eliminare la sonda %1 zona %2?", "Do you want delete probe %1 zone %2?"}},
    {3, 12, [](const ConfigModel& m, int k) { return m.CameraTable[k].name; }, {"Camera già inserita", "Camera already inserted"}, {"Eliminare la camera %1 numero %2?", "Do you want delete camera %1 number %2?"}},
    {4, 16, [](const ConfigModel& m, int k) { return m.ScenarioTable[k].name; }, {"Scenario già inserito", "Scenario already inserted"}, {"Eliminare lo scenario %1 numero %2?", "Do you want delete scenario %1 number %2?"}},
};
// clang-format on

class Editor : public WindowFixture, public ::testing::WithParamInterface<Kind> {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        clickTab(tab);
    }
    std::string at(int key) { return GetParam().nameAt(model(), key); }
    QString keyField() const { return c.fields[c.sample.indexOf("#") + 1]; }
    void setKey(int key) { set(keyField(), QString::number(isList(keyField()) ? key - 1 : key)); }
    QStringList names() const {
        QStringList result;
        for (int row = 1; row <= grid(c.grid)->dataRowCount(); ++row)
            result << grid(c.grid)->cell(row, 0);
        return result;
    }

    const int tab = GetParam().tab;
    const TabControls& c = Tabs()[tab];
};

TEST_P(Editor, ConfirmNeedsEveryFieldTheTabAsksFor) {
    const int last = GetParam().lastKey;
    if (isList(keyField())) {
        QStringList keys;
        for (int key = 1; key <= last; ++key)
            keys << QString::number(key);
        EXPECT_EQ(items(keyField()), keys);
    }
    click(c.newButton);
    enter(tab, record(tab, "Name", last));
    EXPECT_TRUE(enabled(c.confirmButton));
    for (const QString& field : c.fields) {
        if (field == "Cgru" || field == "TindS") // a device's group and a scenario's address may stay empty
            continue;
        SCOPED_TRACE(field.toStdString());
        const QString kept = entered(tab)[c.fields.indexOf(field)];
        set(field, "");
        EXPECT_FALSE(enabled(c.confirmButton));
        set(field, kept);
        EXPECT_TRUE(enabled(c.confirmButton));
    }
}

TEST_P(Editor, AddModifyMoveAndDelete) {
    const int last = GetParam().lastKey;
    add(tab, record(tab, "Second", 7));
    add(tab, record(tab, "First", 3));
    add(tab, record(tab, "Last", last));
    EXPECT_EQ(names(), (QStringList{"First", "Second", "Last"}));
    EXPECT_TRUE(window->dirty());

    // Confirming a record's own key stores it again; another record's key warns and stores nothing.
    selectRow(c.grid, 1);
    click(c.modifyButton);
    click(c.confirmButton);
    selectRow(c.grid, 1);
    click(c.modifyButton);
    selectRow(c.grid, 2); // the grid stays clickable; the record under modification stays the same
    setKey(last);
    toolkit.expectBox(kAnswerOk);
    click(c.confirmButton);
    EXPECT_EQ(onlyBox(), (RecordedBox{GetParam().taken[0], "Attenzione", Buttons::Ok, Icon::Exclamation}));
    EXPECT_EQ(window->editor(tab).mode(), EditMode::Modifying);
    EXPECT_EQ(at(3), "First");
    EXPECT_EQ(at(last), "Last");

    // A free key moves the record and frees its old slot.
    setKey(8);
    click(c.confirmButton);
    EXPECT_EQ(window->editor(tab).mode(), EditMode::Browsing);
    EXPECT_EQ(at(3), "");
    EXPECT_EQ(at(8), "First");
    EXPECT_EQ(names(), (QStringList{"Second", "First", "Last"}));

    // A cancelled Modify leaves nothing behind: New with the key it loaded is an addition like any other.
    selectRow(c.grid, 2);
    click(c.modifyButton);
    click(c.cancelButton);
    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    add(tab, record(tab, "Another", 8));
    EXPECT_EQ(onlyBox(), (RecordedBox{GetParam().taken[1], "Warning", Buttons::Ok, Icon::Exclamation}));
    setKey(9);
    click(c.confirmButton);

    // Delete asks about the selected row: No keeps it and changes nothing, Yes deletes it.
    QTemporaryDir folder;
    toolkit.expectDialog(folder.filePath("conf.xml"));
    trigger("mSave");
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        const int language = answer == kAnswerNo ? 0 : 1;
        SCOPED_TRACE(answer);
        trigger(language == 0 ? "mIta" : "mEng");
        selectRow(c.grid, 1);
        toolkit.expectBox(answer);
        click(c.deleteButton);
        EXPECT_EQ(onlyBox(), (RecordedBox{QString(GetParam().ask[language]).arg("Second").arg(7),
                                          "velto-configurator", Buttons::YesNo, Icon::Question}));
        EXPECT_EQ(window->lastAnswer(), QString::number(answer));
        EXPECT_EQ(at(7), answer == kAnswerNo ? "Second" : "");
        EXPECT_EQ(window->dirty(), answer == kAnswerYes);
    }
    EXPECT_EQ(names(), (QStringList{"First", "Another", "Last"}));
}

// Enter in any field confirms while a tab adds or modifies; a double click modifies only while the
// tab browses.
TEST_P(Editor, EnterConfirmsFromAnyField) {
    const QStringList values = record(tab, "Name", 3);
    click(c.newButton);
    enter(tab, values);
    QTest::keyClick(find(c.fields.back()), Qt::Key_Return);
    EXPECT_EQ(at(3), "Name");
    click(c.newButton);
    selectRow(c.grid, 1);
    doubleClickRow(c.grid, 1);
    EXPECT_EQ(window->editor(tab).EditRow(), 0);
    click(c.cancelButton);
    for (const QString& field : c.fields) {
        SCOPED_TRACE(field.toStdString());
        doubleClickRow(c.grid, 1);
        set(c.fields[0], field);
        QTest::keyClick(find(field), Qt::Key_Enter);
        EXPECT_EQ(window->editor(tab).mode(), EditMode::Browsing);
        EXPECT_EQ(at(3), field.toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTab, Editor, ::testing::ValuesIn(kKinds), [](const auto& info) {
    return std::string(std::array{"Devices", "Loads", "Probes", "Cameras", "Scenarios"}[info.param.tab]);
});

using Fields = WindowFixture;

// A device's address is 1..99 with no 0 after a first digit, a camera's 4000..5000, a scenario's
// below 99 or none at all.
TEST_F(Fields, ConfirmFollowsTheAddressRules) {
    // clang-format off
    const struct { int tab; QStringList accepted, refused; } rules[] = {
        {0, {"01", "5", "11", "99"}, {"10", "20", "00", "0", ""}},
        {3, {"4000", "5000"}, {"3999", "5001", ""}},
        {4, {"98", "00", "05", ""}, {"99"}},
    };
    // clang-format on
    for (const auto& rule : rules) {
        const TabControls& t = Tabs()[rule.tab];
        for (const QString& address : rule.accepted + rule.refused) {
            SCOPED_TRACE(std::string(t.grid) + " \"" + address.toStdString() + '"');
            clickTab(rule.tab);
            click(t.newButton);
            enter(rule.tab, record(rule.tab, "Name", 3).mid(0, t.fields.size() - 1) << address);
            EXPECT_EQ(enabled(t.confirmButton), rule.accepted.contains(address));
            box(t.fields.back())->clear(); // nothing for a camera's address check to refuse
            click(t.cancelButton);
        }
    }
    // A scenario without an address can be confirmed, and nothing is stored.
    add(4, {"Evening", "2", "0", ""});
    EXPECT_EQ(window->editor(4).mode(), EditMode::Adding);
    EXPECT_TRUE(emptyGrid("Fl_sce"));
    EXPECT_FALSE(window->dirty());
}

// The type, group, riser and bus chosen go into the stored record, show in the grid, and come back
// on Modify, where confirming again stores the same.
TEST_F(Fields, ChoicesAreStoredAndLoadBack) {
    struct Case {
        int tab;
        QStringList values;
        const char* stored;
        const char* row;
    };
    // clang-format off
    const Case cases[] = {
        {0, {"Lamp", "", "0", "12"}, "type 1 group 0", "Lamp|0|dimmer|12"},
        {0, {"Lamp", "2", "1", "12"}, "type 2 group 3", "Lamp|3|autom.|12"},
        {0, {"Lamp", "8", "2", "12"}, "type 1d group 9", "Lamp|9|on/off|12"},
        {3, {"Gate", "4", "0", "4100"}, "4100", "Gate|4100|5|Privato"},
        {3, {"Gate", "4", "1", "4100"}, "4100#2", "Gate|4100|5|Pubblico"},
        {4, {"Evening", "2", "0", "0"}, "0", "Evening|0|3"},
        {4, {"Evening", "2", "1", "4"}, "4#4#1", "Evening|4#4#1|3"},
        {4, {"Evening", "2", "2", "12"}, "12#4#2", "Evening|12#4#2|3"},
        {4, {"Evening", "2", "9", "98"}, "98#4#9", "Evening|98#4#9|3"},
    };
    // clang-format on
    const auto stored = [this](int tab) {
        const DeviceRecord& device = model().DeviceTable[12];
        return tab == 0   ? "type " + device.typeCode + " group " + std::to_string(device.group)
               : tab == 3 ? model().CameraTable[5].address
                          : model().ScenarioTable[3].address;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        startWindow();
        add(c.tab, c.values);
        EXPECT_EQ(stored(c.tab), c.stored);
        EXPECT_EQ(rows(Tabs()[c.tab].grid), QStringList{c.row});
        selectRow(Tabs()[c.tab].grid, 1);
        click(Tabs()[c.tab].modifyButton);
        EXPECT_EQ(entered(c.tab), c.values);
        click(Tabs()[c.tab].confirmButton);
        EXPECT_EQ(stored(c.tab), c.stored);
    }
}

// Only a file can bring a type the list does not name: it loads unchosen. Addresses load whole, however
// long, and only an address out of range keeps Confirm disabled; one with "#" and no proper bus loads
// as the private bus and the text before the "#". The typing limit still holds afterwards.
TEST_F(Fields, RecordsOnlyAFileCanBringLoadAsTheyAre) {
    // clang-format off
    const struct { int tab; const char* stored; QStringList loaded; bool confirmable; } cases[] = {
        {0, "Dimmer", {"Odd", "", "", "6"}, false},
        {3, "40000", {"Odd", "5", "0", "40000"}, false}, {4, "123", {"Odd", "5", "0", "123"}, false},
        {4, "345#4#2", {"Odd", "5", "2", "345"}, false}, {4, "12#x", {"Odd", "5", "0", "12"}, true},
        {4, "7#4#0", {"Odd", "5", "0", "7"}, true}, {4, "34#4#", {"Odd", "5", "0", "34"}, true},
        {4, "#4#a", {"Odd", "5", "0", ""}, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const TabControls& t = Tabs()[c.tab];
        model().DeviceTable[6] = {"Odd", false, 0, c.stored, 0, 1};
        model().CameraTable[6] = {"Odd", c.stored};
        model().ScenarioTable[6] = {"Odd", c.stored};
        window->RefreshAllViews();
        clickTab(c.tab);
        selectRow(t.grid, 1);
        click(t.modifyButton);
        EXPECT_EQ(entered(c.tab), c.loaded);
        EXPECT_EQ(enabled(t.confirmButton), c.confirmable);
        click(t.cancelButton);
        click(t.newButton);
        type(t.fields.back(), "45001");
        EXPECT_EQ(box(t.fields.back())->text(), QString("4500").left(c.tab == 3 ? 4 : 2));
        click(t.cancelButton);
    }
}

// Lists change only by choosing; address boxes take digits only, typed or pasted, up to their length.
TEST_F(Fields, ListsIgnoreTypingAndAddressesTakeDigitsOnly) {
    const QMap<QString, QString> typed{{"Tind", "40"}, {"TindW", "4012"}, {"TindS", "40"}};
    for (int tab = 0; tab < 5; ++tab) {
        const TabControls& c = Tabs()[tab];
        clickTab(tab);
        click(c.newButton);
        for (const QString& field : c.fields.mid(1)) {
            SCOPED_TRACE(field.toStdString());
            if (isList(field)) {
                keys(field, "1");
                EXPECT_EQ(combo(field)->currentIndex(), -1);
                choose(field, 1);
                keys(field, "9lp");
                EXPECT_EQ(combo(field)->currentIndex(), 1);
                continue;
            }
            type(field, "a4x0123456");
            EXPECT_EQ(box(field)->text(), typed[field]);
            box(field)->clear();
            paste(field, "7a");
            EXPECT_EQ(box(field)->text(), "");
            paste(field, "73");
            EXPECT_EQ(box(field)->text(), "73");
            box(field)->clear();
        }
        click(c.cancelButton);
    }
}

// Moving on from a camera's address box by Tab, Shift+Tab or a click checks the range, says so in
// Italian in either language and empties the box. Focus taken by a menu or another window, or lost as
// the editor closes, runs no check.
TEST_F(Fields, LeavingTheCameraAddressChecksTheRange) {
    // clang-format off
    const struct { const char* typed; const char* leave; bool warns; const char* left; } cases[] = {
        {"3999", "Tab", true, ""}, {"4000", "Tab", false, "4000"}, {"5000", "Shift+Tab", false, "5000"},
        {"5001", "Shift+Tab", true, ""}, {"0400", "click", true, ""}, {"", "Tab", false, ""},
        {"3999", "menu", false, "3999"}, {"5001", "window", false, "5001"},
        {"3999", "another tab", false, ""}, {"5001", "File New", false, ""},
    };
    // clang-format on
    QApplication::setActiveWindow(window.get()); // focus events need an active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    trigger("mEng");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.leave) + " \"" + c.typed + '"');
        clickTab(3);
        if (enabled("CnewW"))
            click("CnewW");
        set("TindW", c.typed);
        if (c.warns)
            toolkit.expectBox(kAnswerOk);
        const QString leave = c.leave;
        QWidget other;
        if (leave.contains("Tab"))
            QTest::keyClick(box("TindW"), leave == "Tab" ? Qt::Key_Tab : Qt::Key_Backtab);
        else if (leave == "click")
            QTest::mouseClick(box("TnameW"), Qt::LeftButton);
        else if (leave == "menu")
            find<QMenu>("mFile")->popup(window->pos());
        else if (leave == "window")
            other.show(), QApplication::setActiveWindow(&other);
        else
            leave == "File New" ? trigger("mNew") : clickTab(0); // both close the editor
        if (c.warns) {
            EXPECT_EQ(onlyBox(),
                      (RecordedBox{"Indirizzo camera non valido.\r\nutilizzare un indirizzo da 4000 a 5000",
                                   "velto-configurator", Buttons::Ok, Icon::Exclamation}));
        }
        EXPECT_EQ(box("TindW")->text(), c.left);
        find<QMenu>("mFile")->close();
        QApplication::setActiveWindow(window.get());
    }
}

} // namespace
} // namespace velto::testing
