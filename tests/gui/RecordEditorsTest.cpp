// The editing pattern as every tab follows it, and the rules and choices of each tab's fields.
#include "InputFilters.h"
#include "WindowFixture.h"

#include <QRegularExpression>

namespace velto::testing {
namespace {

struct Kind {
    int tab, lastKey;
    const char* taken[2];          // the warning for a key in use, in Italian and English
    const char* ask[2];            // the delete question: %1 the name, %2 the key
    QStringList accepted, refused; // addresses
};
void PrintTo(const Kind& kind, std::ostream* out) {
    *out << Tabs()[kind.tab].grid;
}

// clang-format off
const Kind kKinds[] = {
    {0, 99, {"Indirizzo già presente", "Address already inserted"}, {"Eliminare l'attuatore %2 %1?", "Do you want delete device %2 %1?"}, {"01", "5", "11", "99"}, {"10", "20", "00", "0", ""}},
    {1, 16, {"Priorità già inserita", "Priority already inserted"}, {"Eliminare il carico %1 priorità %2?", "Do you want delete load %1 priority %2?"}, {}, {}},
    {2, 99, {"Zona già inserita", "Zone already inserted"}, {"Eliminare la sonda %1 zona %2?", "Do you want delete probe %1 zone %2?"}, {}, {}},
    {3, 12, {"Camera già inserita", "Camera already inserted"}, {"Eliminare la camera %1 numero %2?", "Do you want delete camera %1 number %2?"}, {"4000", "5000"}, {"3999", "5001", ""}},
    {4, 16, {"Scenario già inserito", "Scenario already inserted"}, {"Eliminare lo scenario %1 numero %2?", "Do you want delete scenario %1 number %2?"}, {"98", "00", "05", ""}, {"99"}},
};
// clang-format on

class Editor : public WindowFixture, public ::testing::WithParamInterface<Kind> {
protected:
    QString keyField() const { return c.fields[c.sample.indexOf("#") + 1]; }
    void setKey(int key) { set(keyField(), QString::number(isList(keyField()) ? key - 1 : key)); }
    QStringList names() const { return rows(c.grid).replaceInStrings(QRegularExpression("\\|.*"), ""); }

    const int tab = GetParam().tab, last = GetParam().lastKey;
    const TabControls& c = Tabs()[tab];
};

// Every tab adds, modifies, moves and deletes: the field rules, keys in use, the keys and the question.
TEST_P(Editor, AddModifyMoveAndDelete) {
    EXPECT_EQ(isList(keyField()) ? int(items(keyField()).size()) : last, last);
    add(tab, record(tab, "Second", 7));
    click(c.newButton);
    EXPECT_TRUE(find(c.browseFrame)->isHidden());
    enter(tab, record(tab, "Last", last));
    for (const QString& address : GetParam().accepted + GetParam().refused) {
        SCOPED_TRACE('"' + address.toStdString() + '"');
        set(c.fields.back(), address);
        EXPECT_EQ(enabled(c.confirmButton), GetParam().accepted.contains(address));
    }
    enter(tab, record(tab, "Last", last));
    for (const QString& field : c.fields) {
        SCOPED_TRACE(field.toStdString());
        const QString kept = entered(tab)[c.fields.indexOf(field)];
        set(field, "");
        if (isList(field))
            QTest::keyClicks(find(field), "xq"); // the start of no item: no choice, and no text
        EXPECT_EQ(enabled(c.confirmButton), field == "Cgru" || field == "TindS");
        if (field == "TindS")
            click(c.confirmButton); // stores nothing
        set(field, kept);
    }
    QTest::keyClick(find(c.fields.back()), Qt::Key_Return);
    click(c.newButton);
    selectRow(c.grid, 1);
    selectRow(c.grid, 1, true);
    EXPECT_EQ(window->editor(tab).EditRow(), 0);
    enter(tab, record(tab, "First", 3));
    click(c.confirmButton);
    EXPECT_EQ(names(), (QStringList{"First", "Second", "Last"}));

    selectRow(c.grid, 1);
    click(c.modifyButton);
    selectRow(c.grid, 2); // the grid stays clickable; the record under modification stays the same
    setKey(last);
    toolkit.expectBox(kAnswerOk);
    click(c.confirmButton);
    EXPECT_EQ(onlyBox(), (RecordedBox{GetParam().taken[0], "Attenzione", Buttons::Ok, Icon::Exclamation}));
    setKey(8);
    click(c.confirmButton);
    EXPECT_EQ(names(), (QStringList{"Second", "First", "Last"}));

    // Escape cancels a Modify and leaves nothing behind: New with the key it loaded is a plain addition.
    selectRow(c.grid, 2);
    click(c.modifyButton);
    clickTab(tab); // the shown tab keeps the edit, the focus in the name box
    EXPECT_EQ(window->focusWidget(), find(c.fields.front()));
    set(c.fields[0], "Unsaved");
    QTest::keyClick(find(c.fields.back()), Qt::Key_Escape);
    EXPECT_TRUE(entered(tab).join("").isEmpty() && !enabled(c.fields[0])); // emptied and closed
    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    add(tab, record(tab, "Another", 8));
    EXPECT_EQ(onlyBox(), (RecordedBox{GetParam().taken[1], "Warning", Buttons::Ok, Icon::Exclamation}));
    setKey(9);
    click(c.confirmButton);

    QTemporaryDir folder;
    save(folder.filePath("conf.xml"));
    for (const int answer : {kAnswerNo, kAnswerYes}) { // No keeps the record unchanged, Yes deletes it
        const int language = answer == kAnswerYes;
        trigger(language == 0 ? "mIta" : "mEng");
        selectRow(c.grid, 1);
        toolkit.expectBox(answer);
        click(c.deleteButton);
        EXPECT_EQ(onlyBox(), (RecordedBox{QString(GetParam().ask[language]).arg("Second").arg(7),
                                          "velto-configurator", Buttons::YesNo, Icon::Question}));
        EXPECT_EQ(window->lastAnswer(), QString::number(answer));
        EXPECT_EQ(window->document().isModified(), answer == kAnswerYes);
    }
    EXPECT_EQ(names(), (QStringList{"First", "Another", "Last"}));
    const auto& devices = model().DeviceTable;
    const auto positions = [&] {
        return QString("%1%2%3").arg(devices[8].inUse).arg(devices[9].inUse).arg(devices[99].inUse);
    };
    EXPECT_TRUE(tab != 0 || positions() == "234") << positions().toStdString();

    for (const QString& field : c.fields) {
        selectRow(c.grid, 1, true);
        set(c.fields[0], field);
        QTest::keyClick(find(field), Qt::Key_Enter);
        EXPECT_EQ(names().value(0), field);
    }
    EXPECT_TRUE(tab != 0 || positions() == "123") << positions().toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryTab, Editor, ::testing::ValuesIn(kKinds), [](const auto& info) {
    return std::string(std::array{"Devices", "Loads", "Probes", "Cameras", "Scenarios"}[info.param.tab]);
});

using Fields = WindowFixture;

// Choices show in the grid and come back on Modify; records only a file brings load and stay as stored.
TEST_F(Fields, RecordsLoadBackAsStored) {
    // clang-format off
    const struct { int tab; const char* file; QStringList values; bool confirmable; const char* row; } cases[] = {
        {0, nullptr, {"Lamp", "", "0", "12"}, true, "Lamp|0|dimmer|12"}, {0, nullptr, {"Lamp", "0", "1", "12"}, true, "Lamp|1|autom.|12"},
        {0, nullptr, {"Lamp", "8", "2", "12"}, true, "Lamp|9|on/off|12"}, {3, nullptr, {"Gate", "4", "0", "4100"}, true, "Gate|4100|5|Privato"},
        {3, nullptr, {"Gate", "4", "1", "4100"}, true, "Gate|4100|5|Pubblico"}, {4, nullptr, {"Evening", "2", "0", "0"}, true, "Evening|0|3"},
        {4, nullptr, {"Evening", "2", "1", "4"}, true, "Evening|4#4#1|3"}, {4, nullptr, {"Evening", "2", "9", "98"}, true, "Evening|98#4#9|3"},
        {0, "Dimmer", {"Odd", "", "", "6"}, false, "Odd|0|Dimmer|6"}, {3, "40000", {"Odd", "5", "0", "40000"}, false, "Odd|40000|6|Privato"},
        {4, "123", {"Odd", "5", "0", "123"}, false, "Odd|123|6"}, {4, "345#4#2", {"Odd", "5", "2", "345"}, false, "Odd|345#4#2|6"},
        {4, "12#x", {"Odd", "5", "0", "12"}, true, "Odd|12|6"}, {4, "7#4#0", {"Odd", "5", "0", "7"}, true, "Odd|7|6"},
        {4, "34#4#", {"Odd", "5", "0", "34"}, true, "Odd|34|6"}, {4, "#4#a", {"Odd", "5", "0", ""}, true, "Odd|#4#a|6"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values.join('|').toStdString());
        const TabControls& t = Tabs()[c.tab];
        startWindow();
        if (c.file) {
            model().DeviceTable[6] = {"Odd", false, 0, c.file, 0, 1};
            model().CameraTable[6] = {"Odd", c.file};
            model().ScenarioTable[6] = {"Odd", c.file};
            window->RefreshAllViews();
            clickTab(c.tab);
        } else {
            add(c.tab, c.values);
        }
        selectRow(t.grid, 1);
        click(t.modifyButton);
        EXPECT_EQ(entered(c.tab), c.values);
        EXPECT_EQ(enabled(t.confirmButton), c.confirmable);
        click(c.confirmable ? t.confirmButton : t.cancelButton);
        EXPECT_EQ(rows(t.grid).join('/'), c.row);
    }
}

// Typing into a list chooses the item that begins with what was typed, never text of its own.
TEST_F(Fields, TypingChoosesFromTheLists) {
    model().GroupTable[3] = "Kitchen";
    window->RefreshAllViews();
    // clang-format off
    const struct { const char *list, *typed, *chosen; int tab; } cases[] = {
        {"Czona", "57", "57", 2}, {"Czona", "5x7", "7", 2}, {"Ctipo", "o", "on/off", 0}, {"Cgru", "3", "3 Kitchen", 0},
        {"Cpriori", "16", "16", 1}, {"Cnum", "12", "12", 3}, {"Cmont", "pu", "Pubblico", 3}, {"CnumS", "9", "9", 4},
        {"Cbus", "L", "locale I=1", 4}, {"Cbus", "p", "privato", 4}};
    // clang-format on
    for (const auto& c : cases) {
        clickTab(c.tab);
        click(Tabs()[c.tab].newButton);
        QTest::keyClicks(find(c.list), c.typed);
        EXPECT_EQ(combo(c.list)->currentText(), c.chosen) << c.list << " typed " << c.typed;
        click(Tabs()[c.tab].cancelButton);
    }
}

// However slowly typed, the whole text chooses: "locale I=2" is not "locale I=1" or no choice at all.
TEST(ChoiceByTyping, TheWholeTypedTextChooses) {
    QComboBox bus;
    bus.addItems({"privato", "locale I=1", "locale I=2", "locale I=12"});
    ChooseByTyping(&bus);
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(1);
    QTest::keyClicks(&bus, "locale I=2", Qt::NoModifier, 5); // each key after the interval
    QApplication::setKeyboardInputInterval(interval);
    EXPECT_EQ(bus.currentText(), "locale I=2");
    QTest::keyClick(&bus, Qt::Key_Up); // a key that is no character starts again
    QTest::keyClicks(&bus, "p");
    EXPECT_EQ(bus.currentText(), "privato");
}

// Insert, the fields (Tab from one to the next, the lists chosen by typing), Enter, and again: record
// after record on every tab with the keyboard alone. New proposes a free address, typed over or kept.
TEST_F(Fields, TheKeyboardAloneEntersRecordAfterRecord) {
    QApplication::setActiveWindow(window.get()); // focus moves need an active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // clang-format off
    const struct { int tab; QList<QStringList> typed; const char* proposed; QStringList rows; } cases[] = {
        {0, {{"Luce camera", "", "d", "11"}, {"Luce bagno", "", "o", "21"}}, "1", {"Luce camera|0|dimmer|11", "Luce bagno|0|on/off|21"}},
        {1, {{"Forno", "3"}, {"Lavatrice", "12"}}, "", {"Forno|3", "Lavatrice|12"}},
        {2, {{"Sala", "4"}, {"Bagno", "5"}}, "", {"Sala|4", "Bagno|5"}},
        {3, {{"Cancello", "2", "p", "4100"}, {"Porta", "1", "pu", ""}}, "4000", {"Porta|4000|1|Pubblico", "Cancello|4100|2|Privato"}},
        {4, {{"Sera", "1", "locale I=2", "12"}, {"Notte", "2", "p", ""}}, "1", {"Sera|12#4#2|1", "Notte|1|2"}},
    };
    // clang-format on
    const auto keys = [](const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    for (const auto& c : cases) {
        SCOPED_TRACE(Tabs()[c.tab].grid);
        clickTab(c.tab);
        grid(Tabs()[c.tab].grid)->setFocus();
        for (const QStringList& record : c.typed) {
            key(Qt::Key_Insert);
            if (&record == &c.typed.front()) {
                EXPECT_EQ(entered(c.tab).back(), c.proposed);
            }
            keys(record.front());
            for (const QString& value : record.mid(1)) {
                key(Qt::Key_Tab);
                keys(value);
            }
            key(Qt::Key_Return);
        }
        EXPECT_EQ(rows(Tabs()[c.tab].grid), c.rows);
        EXPECT_EQ(QApplication::focusWidget(), grid(Tabs()[c.tab].grid));
        key(Qt::Key_Insert); // and Escape leaves the keyboard on the grid too
        key(Qt::Key_Escape);
        EXPECT_EQ(QApplication::focusWidget(), grid(Tabs()[c.tab].grid));
    }
}

// Beside Confirm, one line says what keeps the record from being stored, in the language in force; the
// boxes stay as they were.
TEST_F(Fields, OneLineSaysWhyTheRecordCannotBeStored) {
    FillModel(model());
    window->RefreshAllViews();
    // clang-format off
    const struct { int tab; QStringList values; const char *italian, *english; } cases[] = {
        {0, {"", "", "0", "11"}, "manca il nome", "a name is needed"},
        {0, {"Fan", "", "", "11"}, "manca il tipo", "a type is needed"},
        {0, {"Fan", "", "0", ""}, "manca l'indirizzo", "an address is needed"},
        {0, {"Fan", "", "0", "00"}, "l'indirizzo non può finire con 0", "the address cannot end in 0"},
        {0, {"Fan", "", "0", "0"}, "l'indirizzo non può essere 0", "the address cannot be 0"},
        {0, {"Fan", "", "0", "12"}, "l'indirizzo 12 è già usato da «Lamp»", "address 12 is already used by «Lamp»"},
        {0, {"Fan", "", "0", "13"}, "", ""},
        {1, {"Fan", ""}, "manca la priorità", "a priority is needed"},
        {1, {"Fan", "8"}, "la priorità 9 è già usata da «Oven»", "priority 9 is already used by «Oven»"},
        {2, {"Fan", ""}, "manca la zona", "a zone is needed"},
        {2, {"Fan", "39"}, "la zona 40 è già usata da «Hall»", "zone 40 is already used by «Hall»"},
        {3, {"Fan", "", "0", "4000"}, "manca il numero", "a number is needed"},
        {3, {"Fan", "1", "", "4000"}, "manca il montante", "a bus is needed"},
        {3, {"Fan", "1", "0", ""}, "manca l'indirizzo", "an address is needed"},
        {3, {"Fan", "1", "0", "5001"}, "l'indirizzo va da 4000 a 5000", "the address goes from 4000 to 5000"},
        {3, {"Fan", "4", "1", "4000"}, "il numero 5 è già usato da «Gate»", "number 5 is already used by «Gate»"},
        {4, {"Fan", "1", "0", ""}, "manca l'indirizzo", "an address is needed"}, // Confirm is enabled
        {4, {"Fan", "1", "0", "99"}, "l'indirizzo va da 0 a 98", "the address goes from 0 to 98"},
        {4, {"Fan", "2", "1", "12"}, "il numero 3 è già usato da «Evening»", "number 3 is already used by «Evening»"},
    };
    // clang-format on
    const QStringList why{"Lwhy", "LwhyC", "LwhyP", "LwhyW", "LwhyS"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values.join('|').toStdString());
        clickTab(c.tab);
        click(Tabs()[c.tab].newButton);
        enter(c.tab, c.values);
        EXPECT_EQ(find<QLabel>(why[c.tab])->text(), c.italian);
        trigger("mEng"); // the line follows the language with the editor open
        EXPECT_EQ(find<QLabel>(why[c.tab])->text(), c.english);
        trigger("mIta");
        QTest::keyClick(find(Tabs()[c.tab].fields[0]), Qt::Key_Escape);
        EXPECT_EQ(find<QLabel>(why[c.tab])->text(), "");
    }
    clickTab(0);
    selectRow("Fl_dev", 1);
    click("Cmod"); // a record under its own key: nothing in the way
    EXPECT_EQ(find<QLabel>("Lwhy")->text(), "");
}

// Leaving the camera address box by Tab, Shift+Tab or a click checks the range; other focus losses not.
TEST_F(Fields, LeavingTheCameraAddressChecksTheRange) {
    // clang-format off
    const struct { const char* typed; QString leave; bool warns; const char* left; } cases[] = {
        {"3999", "Tab", true, ""}, {"50a001", "Shift+Tab", false, "5000"}, {"5001", "Shift+Tab", true, ""},
        {"0400", "click", true, ""}, {"", "Tab", false, ""}, {"3999", "menu", false, "3999"},
        {"5001", "window", false, "5001"}, {"3999", "another tab", false, ""}, {"5001", "File New", false, ""},
    };
    // clang-format on
    QApplication::setActiveWindow(window.get()); // focus events need an active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    trigger("mEng");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.leave.toStdString() + " \"" + c.typed + '"');
        clickTab(3);
        if (enabled("CnewW"))
            click("CnewW");
        set("TindW", c.typed);
        if (c.warns)
            toolkit.expectBox(kAnswerOk);
        QWidget other;
        if (c.leave.contains("Tab"))
            QTest::keyClick(box("TindW"), c.leave == "Tab" ? Qt::Key_Tab : Qt::Key_Backtab);
        else if (c.leave == "click")
            QTest::mouseClick(box("TnameW"), Qt::LeftButton);
        else if (c.leave == "menu")
            find<QMenu>("mFile")->popup(window->pos());
        else if (c.leave == "window")
            other.show(), QApplication::setActiveWindow(&other);
        else
            c.leave == "File New" ? trigger("mNew") : clickTab(0); // both close the editor
        const RecordedBox warning{"Indirizzo camera non valido.\r\nutilizzare un indirizzo da 4000 a 5000",
                                  "velto-configurator", Buttons::Ok, Icon::Exclamation};
        EXPECT_EQ(toolkit.takeBoxes(), c.warns ? QList{warning} : QList<RecordedBox>{});
        EXPECT_EQ(box("TindW")->text(), c.left);
        find<QMenu>("mFile")->close();
        QApplication::setActiveWindow(window.get());
    }
}

} // namespace
} // namespace velto::testing
