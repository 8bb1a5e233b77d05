#include "CommandLine.h"
#include "ConfWriter.h"
#include "WindowFixture.h"

namespace velto::testing {
namespace {

using Window = WindowFixture;

const QString kItalianPrompt =
    QStringLiteral("La configurazione corrente non è stata salvata\r\nVuoi salvare il progetto corrente?");
const QString kEnglishPrompt =
    QStringLiteral("This configuration is not been saved\r\nDo you want save the current project?");

QStringList Numbered(const QStringList& names) {
    QStringList result;
    for (int n = 1; n <= names.size(); ++n)
        result << QString::number(n) + ' ' + names[n - 1];
    return result;
}

// On every tab: New and Modify (or a double click on a record) open the fields, Cancel (or Escape)
// empties and closes them; clicking the shown tab keeps an edit, any other tab cancels it, and
// nothing reaches the tables.
TEST_F(Window, EditingPatternOnEveryTab) {
    FillModel(model());
    window->RefreshAllViews();
    const std::string before = WriteConfig(model());
    for (int tab = 0; tab < 5; ++tab) {
        const TabControls& c = Tabs()[tab];
        const RecordEditor& editor = window->editor(tab);
        const int last = grid(c.grid)->dataRowCount();
        const auto expectMode = [&](EditMode mode) {
            const bool editing = mode != EditMode::Browsing;
            EXPECT_EQ(editor.mode(), mode);
            EXPECT_EQ(editor.EditRow(), mode == EditMode::Modifying ? last : 0);
            for (const QString& field : c.fields)
                EXPECT_EQ(enabled(field), editing) << field.toStdString();
            EXPECT_TRUE(editing || entered(tab).join("").isEmpty());
            EXPECT_EQ((QList<bool>{enabled(c.newButton), enabled(c.modifyButton), enabled(c.cancelButton),
                                   shown(c.browseFrame), shown(c.editFrame)}),
                      (QList<bool>{!editing, !editing, editing, !editing, editing}));
        };
        for (const QString end : {"Cancel", "tab", "Escape"}) {
            for (const EditMode mode : {EditMode::Adding, EditMode::Modifying}) {
                const bool modifying = mode == EditMode::Modifying;
                SCOPED_TRACE(std::string(c.grid) + (modifying ? " modifying" : " adding") + " ended by " +
                             end.toStdString());
                clickTab(tab);
                expectMode(EditMode::Browsing);
                selectRow(c.grid, last);
                if (modifying && end == "Escape")
                    doubleClickRow(c.grid, last);
                else
                    click(modifying ? c.modifyButton : c.newButton);
                expectMode(mode);
                EXPECT_EQ(window->focusWidget(), find(c.fields.front()));
                EXPECT_EQ(box(c.fields.front())->text(), modifying ? grid(c.grid)->cell(last, 0) : "");
                EXPECT_EQ(enabled(c.confirmButton), modifying);
                type(c.fields.front(), "Unsaved");
                clickTab(tab);
                EXPECT_EQ(editor.mode(), mode);
                if (end == "Escape")
                    QTest::keyClick(find(c.fields.back()), Qt::Key_Escape);
                else
                    end == "Cancel" ? click(c.cancelButton) : clickTab((tab + 1) % 5);
                expectMode(EditMode::Browsing);
            }
        }
    }
    EXPECT_EQ(WriteConfig(model()), before);
    EXPECT_FALSE(window->dirty());
}

// New, Open, Exit and the close box ask first while there are unsaved changes: Yes runs Save (its
// dialog cancelled here) and stops, No goes ahead, Cancel stops.
TEST_F(Window, UnsavedChangesQuestion) {
    for (const QString command : {"mNew", "mOpen", "mExit", "close"}) {
        for (const int answer : {kAnswerYes, kAnswerNo, kAnswerCancel}) {
            SCOPED_TRACE(command.toStdString() + " answered " + std::to_string(answer));
            const bool english = command == "close", goesAhead = answer == kAnswerNo;
            startWindow();
            if (english)
                trigger("mEng");
            add(0, {"Lamp", "", "0", "12"});
            const qsizetype dialogsBefore = toolkit.dialogs().size();
            toolkit.expectBox(answer);
            const int dialog = answer == kAnswerYes              ? kSaveMode
                               : goesAhead && command == "mOpen" ? kOpenMode
                                                                 : -1;
            if (dialog >= 0)
                toolkit.expectDialog(""); // cancelled
            command == "close" ? (void)window->close() : trigger(command);

            EXPECT_EQ(onlyBox(), (RecordedBox{english ? kEnglishPrompt : kItalianPrompt, "velto-configurator",
                                              Buttons::YesNoCancel, Icon::Question}));
            EXPECT_EQ(window->lastAnswer(), QString::number(answer));
            ASSERT_EQ(toolkit.dialogs().size() - dialogsBefore, dialog >= 0 ? 1 : 0);
            EXPECT_TRUE(dialog < 0 || toolkit.dialogs().back().mode == dialog);
            EXPECT_EQ(emptyGrid("Fl_dev"), goesAhead && command == "mNew");
            EXPECT_EQ(window->dirty(), !(goesAhead && command == "mNew"));
            EXPECT_EQ(window->isVisible(), !(goesAhead && (command == "mExit" || command == "close")));
        }
    }
}

// Every grid, count and list shows the tables in key order, leaving out the slots no grid shows, and
// Modify and Delete follow the selection. Records put straight into the tables are no change of the
// user's: New goes ahead unasked, ends any edit and empties every slot.
TEST_F(Window, ViewsShowTheTablesAndNewEmptiesThem) {
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(16, 16))); // the program's own icon
    const QStringList bare{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    EXPECT_EQ(items("Lgru") + items("Laux"), bare + bare);
    const QStringList counts{"0 Attuatori", "0 Carichi", "0 Sonde", "0 Camera", "0 Scenari"};
    const auto expectEmpty = [&] {
        for (int tab = 0; tab < 5; ++tab) {
            const TabControls& c = Tabs()[tab];
            clickTab(tab);
            EXPECT_TRUE(emptyGrid(c.grid)) << c.grid;
            selectRow(c.grid, 1); // the blank row selects nothing
            EXPECT_FALSE(enabled(c.modifyButton) || enabled(c.deleteButton)) << c.grid;
            EXPECT_EQ(caption(c.count), counts[tab]);
        }
    };
    expectEmpty();

    ConfigModel& m = model();
    FillModel(m);
    m.DeviceTable[0] = {"Zero", true, 4, "1", 50, 1};
    m.DeviceTable[150] = {"Far", true, 2, "2", 80, 3};
    m.DeviceTable[12].pull = true;
    m.DeviceTable[12].dimmer = 70;
    m.Mh200ScenarioTable[100] = {"Night", "*15*1*", "*15*2*"};
    m.Mh200ScenarioTable[0] = {"", "*15*3*", "*15*4*"};
    m.LoadTable[0] = "Hidden";
    m.CameraTable[0] = {"Hidden", "4500"};
    window->RefreshAllViews();
    window->RefreshAllViews(); // showing the riser leaves the stored address as it was
    // clang-format off
    const struct { QStringList rows; const char* count; } expected[] = {
        {{"Lamp|3|on/off|12", "Blind|0|autom.|37"}, "2 Attuatori"},
        {{"Washer|2", "Oven|9"}, "2 Carichi"},
        {{"Hall|40"}, "1 Sonde"},
        {{"Door|4000|1|Privato", "Gate|4100|5|Pubblico"}, "2 Camera"},
        {{"Evening|12#4#2|3"}, "1 Scenari"},
    };
    // clang-format on
    for (int tab = 0; tab < 5; ++tab) {
        const TabControls& c = Tabs()[tab];
        EXPECT_EQ(rows(c.grid), expected[tab].rows);
        EXPECT_EQ(caption(c.count), expected[tab].count);
        EXPECT_TRUE(enabled(c.modifyButton) && enabled(c.deleteButton)) << c.grid;
    }
    EXPECT_EQ(m.CameraTable[5].address, "4100#2");
    EXPECT_EQ(items("Lgru"), Numbered({"", "", "Kitchen", "", "", "", "", "", ""}));
    EXPECT_EQ(items("Laux"), Numbered({"", "Bell", "", "", "", "", "", "", ""}));
    EXPECT_EQ(items("Cgru"), (QStringList{"1", "2", "3 Kitchen", "4", "5", "6", "7", "8", "9"}));
    clickTab(1);
    grid("Fl_gru")->clearSelection();
    grid("Fl_gru")->setCurrentCell(-1, -1);
    EXPECT_FALSE(enabled("CmodC") || enabled("CdelC"));
    selectRow("Fl_gru", 1);
    EXPECT_TRUE(enabled("CmodC") && enabled("CdelC"));

    clickTab(3);
    click("CnewW");
    trigger("mNew");
    EXPECT_EQ(window->editor(3).mode(), EditMode::Browsing);
    EXPECT_EQ(window->statusText(), "Nuovo file");
    expectEmpty();
    EXPECT_EQ(items("Lgru") + items("Laux") + items("Cgru"),
              Numbered(QStringList(9, "")) + Numbered(QStringList(9, "")) + bare);
    EXPECT_TRUE(std::all_of(m.DeviceTable.begin(), m.DeviceTable.end(), [](const DeviceRecord& d) {
        return d.name.empty() && d.typeCode.empty() && !d.pull && !d.group && !d.dimmer && !d.inUse;
    }));
    EXPECT_TRUE(
        std::all_of(m.Mh200ScenarioTable.begin(), m.Mh200ScenarioTable.end(), [](const Mh200Record& r) {
            return r.name.empty() && r.cenActivation.empty() && r.cenDeactivation.empty();
        }));
    EXPECT_EQ(m.LoadTable[0] + m.CameraTable[0].address, "");
}

// What the window's command line asks for; help and version go to standard output, exit 0.
TEST(CommandLine, OptionsAndOneFile) {
    using A = CommandLine::Action;
    const std::string see = " (see velto-configurator --help)\n", one = "only one FILE can be opened";
    // clang-format off
    const struct { std::vector<std::string_view> arguments; A action; std::string file, message; } cases[] = {
        {{}, A::Run, "", ""},
        {{"casa.xml"}, A::Run, "casa.xml", ""},
        {{"--", "-casa.xml"}, A::Run, "-casa.xml", ""},
        {{"--", "--"}, A::Run, "--", ""},
        {{"--version", "casa.xml"}, A::Version, "", "velto-configurator 1.0\n"},
        {{"-h"}, A::Help, "", "Usage: velto-configurator [OPTION]... [FILE]\n"},
        {{"--help", "-x"}, A::Help, "", "Usage: velto-configurator [OPTION]... [FILE]\n"},
        {{"-x"}, A::Refuse, "", "velto-configurator: unknown option '-x'" + see},
        {{"--", "--help", "-h"}, A::Refuse, "", "velto-configurator: " + one + see},
        {{"a.xml", "b.xml"}, A::Refuse, "", "velto-configurator: " + one + see},
    };
    // clang-format on
    for (const auto& c : cases) {
        const CommandLine parsed = ParseCommandLine(c.arguments);
        SCOPED_TRACE(parsed.message);
        EXPECT_EQ(parsed.action, c.action);
        EXPECT_EQ(parsed.file, c.file);
        EXPECT_EQ(parsed.message.substr(0, c.message.size()), c.message); // the help goes on with the options
        EXPECT_EQ(parsed.exitCode(), c.action == A::Refuse ? 2 : 0);
    }
    EXPECT_NE(MissingDisplay(nullptr, "", nullptr), "");
    for (const auto& set : {std::array{":0", "", ""}, {"", "wayland-0", ""}, {"", "", "offscreen"}})
        EXPECT_EQ(MissingDisplay(set[0], set[1], set[2]), "");
}

} // namespace
} // namespace velto::testing
