#include "RecordEditor.h"
#include "WindowFixture.h"

#include <QTemporaryDir>

namespace velto::testing {
namespace {

using Window = WindowFixture;

const QString kItalianPrompt =
    QStringLiteral("La configurazione corrente non è stata salvata\r\nVuoi salvare il progetto corrente?");
const QString kEnglishPrompt =
    QStringLiteral("This configuration is not been saved\r\nDo you want save the current project?");

TEST_F(Window, EveryTabGoesFromBrowsingToAddingAndBack) {
    for (int tab = 0; tab < 5; ++tab) {
        const TabControls& c = Tabs()[tab];
        SCOPED_TRACE(c.grid);
        clickTab(tab);
        const auto expectBrowsing = [&] {
            for (const QString& field : c.fields) {
                EXPECT_FALSE(enabled(field)) << field.toStdString();
                if (auto* text = window->findChild<QLineEdit*>(field))
                    EXPECT_EQ(text->text(), "") << field.toStdString();
                else
                    EXPECT_EQ(combo(field)->currentIndex(), -1) << field.toStdString();
            }
            EXPECT_TRUE(enabled(c.newButton));
            for (const char* off : {c.modifyButton, c.deleteButton, c.cancelButton, c.confirmButton})
                EXPECT_FALSE(enabled(off)) << off;
            EXPECT_TRUE(shown(c.browseFrame));
            EXPECT_FALSE(shown(c.editFrame));
            EXPECT_EQ(window->editor(tab).mode(), EditMode::Browsing);
        };
        expectBrowsing();

        click(c.newButton);
        for (const QString& field : c.fields)
            EXPECT_TRUE(enabled(field)) << field.toStdString();
        EXPECT_EQ(window->focusWidget(), find(c.fields.front()));
        EXPECT_TRUE(enabled(c.cancelButton));
        EXPECT_FALSE(enabled(c.confirmButton));
        EXPECT_FALSE(enabled(c.newButton));
        EXPECT_FALSE(enabled(c.modifyButton));
        EXPECT_FALSE(shown(c.browseFrame));
        EXPECT_TRUE(shown(c.editFrame));
        EXPECT_EQ(window->editor(tab).mode(), EditMode::Adding);

        // What was typed and chosen goes with Cancel.
        type(c.fields.front(), "Typed");
        for (const QString& field : c.fields.mid(1)) {
            if (window->findChild<QComboBox*>(field))
                choose(field, 0);
        }
        click(c.cancelButton);
        expectBrowsing();
    }
}

TEST_F(Window, ModifyLoadsTheSelectedRowInEveryTab) {
    FillModel(model());
    window->RefreshAllViews();
    const QStringList names{"Blind", "Oven", "Hall", "Gate", "Evening"}; // the last row of each grid
    for (int tab = 0; tab < 5; ++tab) {
        const TabControls& c = Tabs()[tab];
        SCOPED_TRACE(c.grid);
        clickTab(tab);
        const int last = grid(c.grid)->dataRowCount();
        selectRow(c.grid, last);
        click(c.modifyButton);
        EXPECT_EQ(box(c.fields.front())->text(), names[tab]);
        for (const QString& field : c.fields)
            EXPECT_TRUE(enabled(field)) << field.toStdString();
        EXPECT_TRUE(enabled(c.confirmButton));
        EXPECT_FALSE(enabled(c.newButton));
        EXPECT_TRUE(shown(c.editFrame));
        EXPECT_EQ(window->editor(tab).mode(), EditMode::Modifying);
        EXPECT_EQ(window->editor(tab).EditRow(), last);
        EXPECT_FALSE(window->editor(tab).AddingNew());

        click(c.cancelButton);
        EXPECT_EQ(window->editor(tab).mode(), EditMode::Browsing);
        EXPECT_EQ(box(c.fields.front())->text(), "");
        EXPECT_TRUE(enabled(c.modifyButton)); // the grid still lists records
    }
    EXPECT_FALSE(window->dirty());
}

TEST_F(Window, ChangingTabCancelsEditingClickingTheSameTabKeepsIt) {
    FillModel(model());
    window->RefreshAllViews();
    QStringList before;
    for (const TabControls& c : Tabs())
        before << rows(c.grid);

    for (int tab = 0; tab < 5; ++tab) {
        for (const bool modifying : {false, true}) {
            const TabControls& c = Tabs()[tab];
            SCOPED_TRACE(std::string(c.grid) + (modifying ? " modifying" : " adding"));
            clickTab(tab);
            if (modifying) {
                selectRow(c.grid, 1);
                click(c.modifyButton);
            } else {
                click(c.newButton);
            }
            box(c.fields.front())->clear();
            type(c.fields.front(), "Unsaved");
            const EditMode editing = window->editor(tab).mode();

            clickTab(tab);
            EXPECT_EQ(window->editor(tab).mode(), editing);
            EXPECT_EQ(box(c.fields.front())->text(), "Unsaved");

            clickTab((tab + 1) % 5);
            EXPECT_EQ(window->editor(tab).mode(), EditMode::Browsing);
            EXPECT_EQ(window->editor(tab).EditRow(), 0);
            EXPECT_EQ(box(c.fields.front())->text(), "");
            EXPECT_FALSE(enabled(c.fields.front()));
            EXPECT_TRUE(shown(c.browseFrame));
        }
    }
    QStringList after;
    for (const TabControls& c : Tabs())
        after << rows(c.grid);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(window->dirty());
}

// New, Exit and the close box ask the same question while there are unsaved changes.
TEST_F(Window, UnsavedChangesQuestionGuardsNewExitAndTheCloseBox) {
    struct Case {
        const char* command;
        int answer;
    };
    const Case cases[] = {{"mNew", kAnswerYes},  {"mNew", kAnswerNo},  {"mNew", kAnswerCancel},
                          {"mExit", kAnswerYes}, {"mExit", kAnswerNo}, {"mExit", kAnswerCancel},
                          {"close", kAnswerYes}, {"close", kAnswerNo}, {"close", kAnswerCancel}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " answered " + std::to_string(c.answer));
        startWindow();
        addDevice("Lamp", 0, "12");
        ASSERT_TRUE(window->dirty());
        const qsizetype dialogsBefore = toolkit.dialogs().size();
        toolkit.expectBox(c.answer);
        if (c.answer == kAnswerYes)
            toolkit.expectDialog(""); // the save dialog, cancelled

        if (QString(c.command) == "close")
            window->close();
        else
            trigger(c.command);

        const RecordedBox box = onlyBox();
        EXPECT_EQ(box.text, kItalianPrompt);
        EXPECT_EQ(box.title, "velto-configurator");
        EXPECT_EQ(box.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(box.icon, Icon::Question);
        EXPECT_EQ(window->lastAnswer(), QString::number(c.answer));
        EXPECT_EQ(toolkit.dialogs().size() - dialogsBefore, c.answer == kAnswerYes ? 1 : 0);
        if (c.answer == kAnswerYes) {
            EXPECT_EQ(toolkit.dialogs().back().mode, kSaveMode);
        }

        const bool goesAhead = c.answer == kAnswerNo;
        if (QString(c.command) == "mNew") {
            EXPECT_EQ(emptyGrid("Fl_dev"), goesAhead);
            EXPECT_EQ(window->dirty(), !goesAhead);
            EXPECT_TRUE(window->isVisible());
        } else {
            EXPECT_EQ(window->isVisible(), !goesAhead);
            EXPECT_EQ(model().DeviceTable[12].name, "Lamp");
        }
    }
}

TEST_F(Window, QuestionSpeaksTheLanguageInForce) {
    trigger("mEng");
    addDevice("Lamp", 0, "12");
    toolkit.expectBox(kAnswerCancel);
    trigger("mNew");
    EXPECT_EQ(onlyBox().text, kEnglishPrompt);
}

TEST_F(Window, NothingUnsavedMeansNoQuestion) {
    // Records put straight into the tables are not changes of the user.
    FillModel(model());
    window->RefreshAllViews();
    trigger("mNew");
    for (const TabControls& c : Tabs())
        EXPECT_TRUE(emptyGrid(c.grid)) << c.grid;
    EXPECT_EQ(caption("Ltot"), "0 Attuatori");
    EXPECT_EQ(window->statusText(), "Nuovo file");

    // Yes saves; once saved, New goes ahead unasked.
    QTemporaryDir folder;
    addDevice("Lamp", 0, "12");
    toolkit.expectBox(kAnswerYes);
    toolkit.expectDialog(folder.filePath("conf.xml"));
    trigger("mNew");
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|0|dimmer|12"});
    EXPECT_FALSE(window->dirty());
    EXPECT_EQ(onlyBox().text, kItalianPrompt);
    trigger("mNew");
    EXPECT_TRUE(emptyGrid("Fl_dev"));

    // Exit without changes closes at once.
    trigger("mExit");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Window, NewEmptiesEverySlotEvenThoseNoGridShows) {
    FillModel(model());
    ConfigModel& m = model();
    m.DeviceTable[0] = {"Zero", true, 4, "1", 50, 1};
    m.DeviceTable[150] = {"Far", true, 2, "2", 80, 3};
    m.DeviceTable[12].pull = true;
    m.DeviceTable[12].dimmer = 70;
    m.Mh200ScenarioTable[100] = {"Night", "*15*1*", "*15*2*"};
    m.Mh200ScenarioTable[0] = {"", "*15*3*", "*15*4*"};
    m.LoadTable[0] = "Hidden";
    m.CameraTable[0] = {"Hidden", "4500"};
    window->RefreshAllViews();
    trigger("mNew");

    for (const int slot : {0, 12, 150, 999}) {
        const DeviceRecord& device = m.DeviceTable[slot];
        EXPECT_TRUE(device.name.empty() && device.typeCode.empty() && !device.pull && device.group == 0 &&
                    device.dimmer == 0 && device.inUse == 0)
            << "device slot " << slot;
    }
    for (const Mh200Record& scenario : m.Mh200ScenarioTable)
        EXPECT_TRUE(scenario.name.empty() && scenario.cenActivation.empty() &&
                    scenario.cenDeactivation.empty());
    EXPECT_EQ(m.LoadTable[0], "");
    EXPECT_EQ(m.CameraTable[0].address, "");
    EXPECT_EQ(m.GroupTable[3], "");
    EXPECT_EQ(m.ScenarioTable[3].address, "");
    EXPECT_EQ(items("Lgru")[2], "3 ");
}

} // namespace
} // namespace velto::testing
