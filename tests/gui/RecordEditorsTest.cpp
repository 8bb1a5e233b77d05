#include "RecordEditor.h"
#include "WindowFixture.h"

namespace velto::testing {
namespace {

// Loads and probes: a name in the slot of a key chosen from a list.
struct NamedSlotKind {
    int tab;
    int lastKey;
    std::string& (*slot)(ConfigModel&, int);
    const char* duplicateItalian;
    const char* duplicateEnglish;
    const char* askItalian; // the delete question with "%1" for the name and "%2" for the key
    const char* askEnglish;
};

const NamedSlotKind kLoads{1,
                           16,
                           [](ConfigModel& m, int key) -> std::string& { return m.LoadTable[key]; },
                           "Priorità già inserita",
                           "Priority already inserted",
                           "Eliminare il carico %1 priorità %2?",
                           "Do you want delete load %1 priority %2?"};
const NamedSlotKind kProbes{2,
                            99,
                            [](ConfigModel& m, int key) -> std::string& { return m.ProbeTable[key]; },
                            "Zona già inserita",
                            "Zone already inserted",
                            "Eliminare la sonda %1 zona %2?",
                            "Do you want delete probe %1 zone %2?"};

void PrintTo(const NamedSlotKind& kind, std::ostream* out) {
    *out << (kind.tab == 1 ? "loads" : "probes");
}

class NamedSlots : public WindowFixture, public ::testing::WithParamInterface<NamedSlotKind> {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        clickTab(GetParam().tab);
    }
    const TabControls& c() const { return Tabs()[GetParam().tab]; }
    QString nameBox() const { return c().fields[0]; }
    QString keyList() const { return c().fields[1]; }
    std::string& slot(int key) { return GetParam().slot(model(), key); }
    void add(const QString& name, int key) {
        click(c().newButton);
        type(nameBox(), name);
        choose(keyList(), key - 1);
        click(c().confirmButton);
    }
    void modifyRow(int row, int newKey) {
        selectRow(c().grid, row);
        click(c().modifyButton);
        choose(keyList(), newKey - 1);
        click(c().confirmButton);
    }
    void expectWarning(const char* text, const char* title) {
        const RecordedBox warning = onlyBox();
        EXPECT_EQ(warning.text, text);
        EXPECT_EQ(warning.title, title);
        EXPECT_EQ(warning.buttons, Buttons::Ok);
        EXPECT_EQ(warning.icon, Icon::Exclamation);
    }
};

TEST_P(NamedSlots, ConfirmNeedsANameAndAKey) {
    EXPECT_EQ(items(keyList()).size(), GetParam().lastKey);
    EXPECT_EQ(items(keyList()).front(), "1");
    click(c().newButton);
    type(nameBox(), "Oven");
    EXPECT_FALSE(enabled(c().confirmButton));
    choose(keyList(), 0);
    EXPECT_TRUE(enabled(c().confirmButton));
    box(nameBox())->clear();
    EXPECT_FALSE(enabled(c().confirmButton));
}

TEST_P(NamedSlots, AddModifyMoveAndDuplicate) {
    const int last = GetParam().lastKey;
    add("Second", 7);
    add("First", 3);
    add("Last", last);
    EXPECT_EQ(rows(c().grid), (QStringList{"First|3", "Second|7", QString("Last|%1").arg(last)}));
    EXPECT_TRUE(window->dirty());

    modifyRow(1, 3); // its own key: no warning
    EXPECT_EQ(slot(3), "First");

    toolkit.expectBox(kAnswerOk);
    modifyRow(1, 7);
    expectWarning(GetParam().duplicateItalian, "Attenzione");
    EXPECT_EQ(window->editor(GetParam().tab).mode(), EditMode::Modifying);
    EXPECT_EQ(slot(3), "First");
    EXPECT_EQ(slot(7), "Second");

    choose(keyList(), 4);
    click(c().confirmButton);
    EXPECT_EQ(slot(3), "");
    EXPECT_EQ(slot(5), "First");
    EXPECT_EQ(rows(c().grid), (QStringList{"First|5", "Second|7", QString("Last|%1").arg(last)}));
    EXPECT_EQ(window->editor(GetParam().tab).mode(), EditMode::Browsing);

    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    add("Another", 5);
    expectWarning(GetParam().duplicateEnglish, "Warning");
    EXPECT_EQ(slot(5), "First");
}

TEST_P(NamedSlots, EveryKeyTakenMeansEveryChoiceWarns) {
    for (int key = 1; key <= GetParam().lastKey; ++key)
        slot(key) = "Taken";
    window->RefreshAllViews();
    click(c().newButton);
    type(nameBox(), "One more");
    for (const int key : {1, 8, GetParam().lastKey}) {
        choose(keyList(), key - 1);
        toolkit.expectBox(kAnswerOk);
        click(c().confirmButton);
        expectWarning(GetParam().duplicateItalian, "Attenzione");
    }
}

TEST_P(NamedSlots, DeleteAsksAboutTheSelectedRow) {
    slot(3) = "First";
    slot(7) = "Second";
    window->RefreshAllViews();
    selectRow(c().grid, 2);
    toolkit.expectBox(kAnswerNo);
    click(c().deleteButton);
    const RecordedBox question = onlyBox();
    EXPECT_EQ(question.text, QString(GetParam().askItalian).arg("Second").arg(7));
    EXPECT_EQ(question.title, "velto-configurator");
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.icon, Icon::Question);
    EXPECT_EQ(window->lastAnswer(), "7");
    EXPECT_EQ(rows(c().grid), (QStringList{"First|3", "Second|7"}));
    EXPECT_FALSE(window->dirty());

    trigger("mEng");
    selectRow(c().grid, 2);
    toolkit.expectBox(kAnswerYes);
    click(c().deleteButton);
    EXPECT_EQ(onlyBox().text, QString(GetParam().askEnglish).arg("Second").arg(7));
    EXPECT_EQ(window->lastAnswer(), "6");
    EXPECT_EQ(rows(c().grid), QStringList{"First|3"});
    EXPECT_EQ(slot(7), "");
    EXPECT_TRUE(window->dirty());
}

INSTANTIATE_TEST_SUITE_P(LoadsAndProbes, NamedSlots, ::testing::Values(kLoads, kProbes),
                         [](const auto& info) { return info.param.tab == 1 ? "Loads" : "Probes"; });

// Typing into a choice list changes nothing; typing or pasting into an address box brings digits only.
using InputFilters = WindowFixture;

TEST_F(InputFilters, ChoiceListsAndAddressBoxesKeepTheirInput) {
    struct Case {
        int tab;
        const char* control;
    };
    const Case lists[] = {{1, "Cpriori"}, {2, "Czona"}, {3, "Cnum"}, {3, "Cmont"}, {4, "CnumS"}, {4, "Cbus"}};
    for (const Case& c : lists) {
        SCOPED_TRACE(c.control);
        clickTab(c.tab);
        click(Tabs()[c.tab].newButton);
        keys(c.control, "1");
        EXPECT_EQ(combo(c.control)->currentIndex(), -1);
        choose(c.control, 1);
        keys(c.control, "9lp");
        EXPECT_EQ(combo(c.control)->currentIndex(), 1);
        click(Tabs()[c.tab].cancelButton);
    }

    const Case addresses[] = {{3, "TindW"}, {4, "TindS"}};
    for (const Case& c : addresses) {
        SCOPED_TRACE(c.control);
        clickTab(c.tab);
        click(Tabs()[c.tab].newButton);
        type(c.control, "4x0");
        EXPECT_EQ(box(c.control)->text(), "40");
        box(c.control)->clear();
        paste(c.control, "4a");
        EXPECT_EQ(box(c.control)->text(), "");
        box(c.control)->insert("4#");
        EXPECT_EQ(box(c.control)->text(), "");
        box(c.control)->clear();
    }
}

class Cameras : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        clickTab(3);
    }
    void fill(const QString& name, int number, int riser, const QString& address) {
        type("TnameW", name);
        choose("Cnum", number - 1);
        choose("Cmont", riser);
        type("TindW", address);
    }
    void add(const QString& name, int number, int riser, const QString& address) {
        click("CnewW");
        fill(name, number, riser, address);
        click("CokW");
    }
};

TEST_F(Cameras, ConfirmNeedsEveryFieldAndAnAddressInRange) {
    struct Case {
        const char* address;
        bool accepted;
    };
    const Case cases[] = {{"3999", false}, {"4000", true}, {"5000", true}, {"5001", false}, {"", false}};
    click("CnewW");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        fill("Gate", 2, 0, c.address);
        EXPECT_EQ(enabled("CokW"), c.accepted);
        box("TindW")->clear();
        box("TnameW")->clear();
    }
    // Any one missing field keeps Confirm disabled, in whatever order the rest came.
    fill("Gate", 2, 1, "4500");
    ASSERT_TRUE(enabled("CokW"));
    for (const char* missing : {"TnameW", "Cnum", "Cmont", "TindW"}) {
        SCOPED_TRACE(missing);
        QWidget* field = find(missing);
        if (auto* text = qobject_cast<QLineEdit*>(field)) {
            const QString kept = text->text();
            text->clear();
            EXPECT_FALSE(enabled("CokW"));
            text->setText(kept);
        } else {
            auto* list = qobject_cast<QComboBox*>(field);
            const int kept = list->currentIndex();
            list->setCurrentIndex(-1);
            EXPECT_FALSE(enabled("CokW"));
            list->setCurrentIndex(kept);
        }
        EXPECT_TRUE(enabled("CokW"));
    }
}

TEST_F(Cameras, LeavingTheAddressBoxChecksTheRange) {
    struct Case {
        const char* typed;
        bool refused;
    };
    const Case cases[] = {{"3999", true}, {"4000", false}, {"5000", false},
                          {"5001", true}, {"0400", true},  {"", false}};
    activate();
    click("CnewW");
    for (const char* language : {"mIta", "mEng"}) {
        trigger(language);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(language) + " " + c.typed);
            box("TindW")->clear();
            type("TindW", c.typed);
            ASSERT_TRUE(box("TindW")->hasFocus());
            if (c.refused)
                toolkit.expectBox(kAnswerOk);
            focus("TnameW");
            EXPECT_TRUE(box("TnameW")->hasFocus());
            if (c.refused) {
                const RecordedBox check = onlyBox();
                EXPECT_EQ(check.text,
                          "Indirizzo camera non valido.\r\nutilizzare un indirizzo da 4000 a 5000");
                EXPECT_EQ(check.title, "velto-configurator");
                EXPECT_EQ(check.buttons, Buttons::Ok);
                EXPECT_EQ(check.icon, Icon::Exclamation);
            }
            EXPECT_EQ(box("TindW")->text(), c.refused ? "" : c.typed);
        }
    }
}

TEST_F(Cameras, RiserAndNumberRoundTripThroughModify) {
    add("Gate", 5, 1, "4100");
    add("Door", 3, 0, "4200");
    EXPECT_EQ(model().CameraTable[5].address, "4100#2");
    EXPECT_EQ(model().CameraTable[3].address, "4200");
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4200|3|Privato", "Gate|4100|5|Pubblico"}));

    selectRow("Fl_cam", 2);
    click("CmodW");
    EXPECT_EQ(box("TnameW")->text(), "Gate");
    EXPECT_EQ(combo("Cnum")->currentIndex(), 4);
    EXPECT_EQ(combo("Cmont")->currentIndex(), 1);
    EXPECT_EQ(box("TindW")->text(), "4100");
    click("CokW");
    EXPECT_EQ(model().CameraTable[5].address, "4100#2");

    // A refresh caused by another tab shows the same riser.
    clickTab(1);
    click("CnewC");
    type("TCarico", "Oven");
    choose("Cpriori", 0);
    click("CokC");
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4200|3|Privato", "Gate|4100|5|Pubblico"}));
    clickTab(3);

    selectRow("Fl_cam", 1);
    click("CmodW");
    choose("Cnum", 6);
    click("CokW");
    EXPECT_EQ(model().CameraTable[3].address, "");
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Gate|4100|5|Pubblico", "Door|4200|7|Privato"}));

    selectRow("Fl_cam", 2);
    click("CmodW");
    choose("Cnum", 4);
    toolkit.expectBox(kAnswerOk);
    click("CokW");
    RecordedBox warning = onlyBox();
    EXPECT_EQ(warning.text, "Camera già inserita");
    EXPECT_EQ(warning.title, "Attenzione");
    EXPECT_EQ(warning.icon, Icon::Exclamation);
    EXPECT_EQ(window->editor(3).mode(), EditMode::Modifying);
    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    click("CokW");
    warning = onlyBox();
    EXPECT_EQ(warning.text, "Camera already inserted");
    EXPECT_EQ(warning.title, "Warning");
    EXPECT_EQ(model().CameraTable[5].name, "Gate");
    EXPECT_EQ(model().CameraTable[7].name, "Door");
}

TEST_F(Cameras, DeleteAsksByNameAndNumber) {
    add("Ingresso", 1, 0, "4000");
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        selectRow("Fl_cam", 1);
        toolkit.expectBox(answer);
        click("CdelW");
        const RecordedBox question = onlyBox();
        EXPECT_EQ(question.text, "Eliminare la camera Ingresso numero 1?");
        EXPECT_EQ(question.buttons, Buttons::YesNo);
        EXPECT_EQ(window->lastAnswer(), QString::number(answer));
        EXPECT_EQ(model().CameraTable[1].address, answer == kAnswerNo ? "4000" : "");
    }
    EXPECT_TRUE(emptyGrid("Fl_cam"));
    EXPECT_EQ(caption("LtotW"), "0 Camera");
}

class Scenarios : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        clickTab(4);
    }
    void fill(const QString& name, int number, int bus, const QString& address) {
        type("TnameS", name);
        choose("CnumS", number - 1);
        choose("Cbus", bus);
        type("TindS", address);
    }
    void add(const QString& name, int number, int bus, const QString& address) {
        click("CNews");
        fill(name, number, bus, address);
        click("CokS");
    }
};

TEST_F(Scenarios, ConfirmRuleAndAnEmptyAddress) {
    struct Case {
        const char* address;
        bool accepted;
    };
    const Case cases[] = {{"98", true}, {"99", false}, {"00", true}, {"05", true}, {"", true}};
    click("CNews");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        fill("Evening", 3, 0, c.address);
        EXPECT_EQ(enabled("CokS"), c.accepted);
        box("TindS")->clear();
        box("TnameS")->clear();
        EXPECT_FALSE(enabled("CokS"));
    }
    // Confirm is enabled without an address, and does nothing.
    fill("Evening", 3, 0, "");
    click("CokS");
    EXPECT_EQ(window->editor(4).mode(), EditMode::Adding);
    EXPECT_EQ(model().ScenarioTable[3].name, "");
    EXPECT_TRUE(emptyGrid("Fl_sce"));
    EXPECT_FALSE(window->dirty());
}

TEST_F(Scenarios, BusRoundTripsThroughModify) {
    struct Case {
        int bus;
        const char* stored;
    };
    for (const Case& c : {Case{2, "12#4#2"}, Case{0, "12"}, Case{9, "12#4#9"}}) {
        SCOPED_TRACE(c.stored);
        startWindow();
        clickTab(4);
        add("Evening", 3, c.bus, "12");
        EXPECT_EQ(model().ScenarioTable[3].address, c.stored);
        EXPECT_EQ(rows("Fl_sce"), QStringList{QString("Evening|%1|3").arg(c.stored)});

        selectRow("Fl_sce", 1);
        click("CModS");
        EXPECT_EQ(box("TnameS")->text(), "Evening");
        EXPECT_EQ(combo("CnumS")->currentIndex(), 2);
        EXPECT_EQ(combo("Cbus")->currentIndex(), c.bus);
        EXPECT_EQ(box("TindS")->text(), "12");
        click("CokS");
        EXPECT_EQ(model().ScenarioTable[3].address, c.stored);
    }
}

TEST_F(Scenarios, ModifyMovesToAFreeNumberAndRefusesATakenOne) {
    add("Evening", 3, 2, "12");
    add("Morning", 4, 0, "20");
    selectRow("Fl_sce", 1);
    click("CModS");
    choose("CnumS", 3);
    toolkit.expectBox(kAnswerOk);
    click("CokS");
    const RecordedBox warning = onlyBox();
    EXPECT_EQ(warning.text, "Scenario già inserito");
    EXPECT_EQ(warning.title, "Attenzione");
    EXPECT_EQ(warning.icon, Icon::Exclamation);
    EXPECT_EQ(model().ScenarioTable[3].name, "Evening");
    EXPECT_EQ(model().ScenarioTable[4].name, "Morning");

    choose("CnumS", 4);
    click("CokS");
    EXPECT_EQ(model().ScenarioTable[3].address, "");
    EXPECT_EQ(rows("Fl_sce"), (QStringList{"Morning|20|4", "Evening|12#4#2|5"}));

    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    add("Night", 4, 0, "30");
    EXPECT_EQ(onlyBox().text, "Scenario already inserted");
}

TEST_F(Scenarios, DeleteAsksByNameAndNumber) {
    add("Evening", 3, 2, "12");
    trigger("mEng");
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        selectRow("Fl_sce", 1);
        toolkit.expectBox(answer);
        click("CDelS");
        EXPECT_EQ(onlyBox().text, "Do you want delete scenario Evening number 3?");
        EXPECT_EQ(window->lastAnswer(), QString::number(answer));
        EXPECT_EQ(model().ScenarioTable[3].address, answer == kAnswerNo ? "12#4#2" : "");
    }
    EXPECT_TRUE(emptyGrid("Fl_sce"));
}

// Only a file brings an address with "#" and no proper bus suffix; it loads as the private bus.
TEST_F(Scenarios, MalformedBusSuffixLoadsAsThePrivateBus) {
    struct Case {
        const char* stored;
        const char* address;
    };
    for (const Case& c : {Case{"12#x", "12"}, Case{"7#4#0", "7"}, Case{"34#4#", "34"}, Case{"#4#a", ""}}) {
        SCOPED_TRACE(c.stored);
        model().ScenarioTable[6] = {"Odd", c.stored};
        window->RefreshAllViews();
        selectRow("Fl_sce", 1);
        click("CModS");
        EXPECT_EQ(box("TnameS")->text(), "Odd");
        EXPECT_EQ(combo("CnumS")->currentIndex(), 5);
        EXPECT_EQ(combo("Cbus")->currentIndex(), 0);
        EXPECT_EQ(box("TindS")->text(), c.address);
        click("CannS");
        EXPECT_EQ(model().ScenarioTable[6].address, c.stored);
    }
}

} // namespace
} // namespace velto::testing
