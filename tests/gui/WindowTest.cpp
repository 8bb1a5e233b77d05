#include "ConfWriter.h"
#include "WindowFixture.h"
// After the fixture, whose core helpers name a variable as Qt names a keyword.
#include "Placement.h"
#include "Process.h"

#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <numeric>
#include <optional>

namespace velto::testing {
namespace {

using Window = WindowFixture;

// New, Open, Exit and the close box ask about unsaved changes: Yes saves, No goes ahead, Cancel stops.
TEST_F(Window, UnsavedChangesQuestion) {
    for (const QString command : {"mNew", "mOpen", "mExit", "close"}) {
        for (const int answer : {kAnswerYes, kAnswerNo, kAnswerCancel}) {
            SCOPED_TRACE(command.toStdString() + " answered " + std::to_string(answer));
            const bool english = command == "close", goesAhead = answer == kAnswerNo;
            startWindow();
            if (english)
                trigger("mEng");
            add(0, {"Lamp", "", "0", "12"});
            toolkit.expectBox(answer);
            const std::optional<FileDialogMode> dialog =
                answer == kAnswerYes              ? std::optional(FileDialogMode::Save)
                : goesAhead && command == "mOpen" ? std::optional(FileDialogMode::Open)
                                                  : std::nullopt;
            if (dialog)
                toolkit.expectDialog(""); // cancelled
            command == "close" ? (void)window->close() : trigger(command);

            EXPECT_EQ(onlyBox(), (RecordedBox{english ? "This configuration is not been saved\r\n"
                                                        "Do you want save the current project?"
                                                      : "La configurazione corrente non è stata salvata\r\n"
                                                        "Vuoi salvare il progetto corrente?",
                                              "velto-configurator", Buttons::YesNoCancel, Icon::Question}));
            EXPECT_EQ(window->lastAnswer(), QString::number(answer));
            if (dialog) {
                EXPECT_EQ(toolkit.dialogs().back().mode, dialog.value());
            }
            const bool emptied = goesAhead && command == "mNew";
            EXPECT_EQ(
                (QList<bool>{emptyGrid("Fl_dev"), window->document().isModified(), window->isVisible()}),
                (QList<bool>{emptied, !emptied, !(goesAhead && (command == "mExit" || command == "close"))}));
        }
    }
}

// Grids, counts and lists show the tables in key order and follow the selection; New empties them all.
TEST_F(Window, ViewsShowTheTablesAndNewEmptiesThem) {
    // The program's own icon, set once the window is painted.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window->windowIcon().availableSizes().contains(QSize(16, 16)); }));
    // Per tab: rows ("none": the blank row), count, Modify/Delete on after refresh and row click; then lists.
    const auto onScreen = [&] {
        QStringList all;
        for (int tab = 0; tab < 5; ++tab) {
            const TabControls& c = Tabs()[tab];
            const auto onRecord = [&] {
                return enabled(c.modifyButton) && enabled(c.deleteButton) ? " on" : " off";
            };
            clickTab(tab);
            all << (emptyGrid(c.grid) ? "none" : rows(c.grid).join('/')) + ", " +
                       find<QLabel>(c.count)->text() + onRecord();
            selectRow(c.grid, 1);
            all.back() += onRecord();
        }
        return all << items("Lgru").join(',') << items("Laux").join(',') << items("Cgru").join(',');
    };
    const QString bare = "1,2,3,4,5,6,7,8,9", blank = "1 ,2 ,3 ,4 ,5 ,6 ,7 ,8 ,9 ";
    const QStringList empty{"none, 0 Attuatori off off", "none, 0 Carichi off off", "none, 0 Sonde off off",
                            "none, 0 Camera off off", "none, 0 Scenari off off"};
    EXPECT_EQ(onScreen(), empty + QStringList({bare, bare, bare}));

    ConfigModel& m = model();
    FillModel(m);
    m.DeviceTable[0] = {"Zero", true, 4, "1", 50, 1};
    m.DeviceTable[150] = {"Far", true, 2, "2", 80, 3};
    m.Mh200ScenarioTable[100] = {"", "*15*1*", "*15*2*"};
    m.LoadTable[0] = "Hidden";
    m.CameraTable[0] = {"Hidden", "4500"};
    window->RefreshAllViews();
    EXPECT_EQ(onScreen(),
              (QStringList{"Lamp|3|on/off|12/Blind|0|autom.|37, 2 Attuatori on on",
                           "Washer|2/Oven|9, 2 Carichi on on", "Hall|40, 1 Sonde on on",
                           "Door|4000|1|Privato/Gate|4100|5|Pubblico, 2 Camera on on",
                           "Evening|12#4#2|3, 1 Scenari on on", "1 ,2 ,3 Kitchen,4 ,5 ,6 ,7 ,8 ,9 ",
                           "1 ,2 Bell,3 ,4 ,5 ,6 ,7 ,8 ,9 ", "1,2,3 Kitchen,4,5,6,7,8,9"}));
    grid("Fl_gru")->setCurrentCell(-1, -1);
    EXPECT_FALSE(enabled("CmodC") || enabled("CdelC"));

    clickTab(3);
    click("CnewW");
    trigger("mNew");
    EXPECT_EQ(onScreen(), empty + QStringList({blank, blank, bare}));
    EXPECT_TRUE(std::all_of(m.DeviceTable.begin(), m.DeviceTable.end(), [](auto& d) { return IsBlank(d); }));
    EXPECT_EQ(RecordsNotWritten(m).size(), 0u); // nor any record where no grid shows it
}

// The filter shows the rows of the grid shown that contain its text, whatever the case and accents, and
// stays through New, refreshes and tab switches; the grid's keys act on the row selected among those shown.
TEST_F(Window, FindAndTheGridKeys) {
    QApplication::setActiveWindow(window.get()); // focus moves need an active window
    // clang-format off
    const struct { int tab; const char* typed; QString shown, count; } cases[] = {
        {0, "LETTURA", "Lampada lettura poltrona", "1 di 3"}, {1, "ov", "Oven", "1 di 2"},
        {2, "citta a", "Città alta", "1 di 2"}, {3, "4100", "Gate", "1 di 2"}, {4, "notte", "", "0 di 1"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const TabControls& t = Tabs()[c.tab];
        GridView* g = grid(t.grid);
        trigger("mNew");
        clickTab(c.tab);
        trigger("mFind");
        QTest::keyClicks(box("Tfind"), c.typed);
        FillModel(model());
        model().DeviceTable[14] = {"Lampada lettura poltrona", false, 0, "1", 0, 2};
        model().ProbeTable[41] = "Città alta";
        window->RefreshAllViews(); // as Open does once it has read a file
        clickTab(c.tab == 0), clickTab(c.tab);
        QStringList shown;
        for (int row = 1; row <= g->dataRowCount(); ++row)
            g->isRowHidden(row - 1) ? void() : void(shown << g->cell(row, 0));
        EXPECT_EQ(shown.join('/') + ' ' + find<QLabel>("LfindTot")->text(), c.shown + ' ' + c.count);
        EXPECT_EQ(find<QLabel>(t.count)->text().section(' ', 0, 0).toInt(), g->dataRowCount());
        for (const Qt::Key key : {Qt::Key_F2, Qt::Key_Return, Qt::Key_Insert, Qt::Key_Delete}) {
            const bool onRow = !c.shown.isEmpty(), deletes = key == Qt::Key_Delete && onRow;
            if (deletes)
                toolkit.expectBox(kAnswerNo);
            QTest::keyClick(g, key);
            const QString loaded = key == Qt::Key_Insert ? "" : c.shown;
            EXPECT_EQ(deletes ? onlyBox().text.contains(c.shown) : box(t.fields[0])->text() == loaded, true);
            EXPECT_EQ(window->editor(c.tab).mode(), key == Qt::Key_Insert ? EditMode::Adding
                                                    : !onRow || deletes   ? EditMode::Browsing
                                                                          : EditMode::Modifying);
            QTest::keyClick(box(t.fields[0]), Qt::Key_Escape);
        }
        QTest::keyClick(box("Tfind"), Qt::Key_Down); // on to the grid, and Tab off it again
        EXPECT_EQ(QApplication::focusWidget(), g);
        QTest::keyClick(g, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), g); // Tab leaves the grid
        QTest::keyClick(box("Tfind"), Qt::Key_Escape);
        EXPECT_EQ(box("Tfind")->text() + find<QLabel>("LfindTot")->text(), "");
    }
}

// The quick guide opens at the section of the tab shown, in the language in force; About tells the version.
TEST_F(Window, HelpMenu) {
    for (const bool italian : {true, false}) {
        trigger(italian ? "mIta" : "mEng");
        clickTab(2);
        trigger("mGuide");
        find<QWidget>("QuickGuide")->resize(300, 150); // shorter than the guide
        trigger("mGuide");
        auto* guide = find<QTextBrowser>("TGuide");
        EXPECT_TRUE(guide->isVisible());
        EXPECT_EQ(guide->cursorForPosition({8, 8}).block().text(), italian ? "Sonde termo" : "Thermo probe");
        toolkit.expectBox(kAnswerOk);
        trigger("mAbout");
        const RecordedBox about = onlyBox();
        EXPECT_EQ(about.title, italian ? "Informazioni su Velto-Configurator" : "About Velto-Configurator");
        EXPECT_TRUE(about.text.startsWith("Velto-Configurator 1.0") && about.text.endsWith(qVersion()));
        EXPECT_EQ(about.icon, Icon::Program);
    }
}

// The window opens as it was closed, maximised or not, and aside of another window still open; it stores
// its place at close. (Fitting to the screen is the placement functions' own test.)
TEST_F(Window, PlacementIsKept) {
    QProcess other;
    StartWaiting(other);
    const QString otherWindow =
        QString("%1-%2").arg(other.processId()).arg(ProcessStartTime(other.processId()));
    const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    for (const QString& maximised : QStringList{"0", "1"}) {
        for (const bool aside : {false, true}) {
            toolkit.settings = {{"window/geometry", "100 24 600 470"},
                                {"window/maximised", maximised},
                                {"window/open", aside ? otherWindow : ""}};
            startWindow();
            const QRect n = window->normalGeometry();
            // Down as far as the screen allows, and right.
            if (maximised == "0") {
                EXPECT_EQ(QRect(n.x(), aside ? 24 : n.y(), n.width(), n.height()),
                          QRect(100 + aside * step, 24, 600, 470))
                    << aside;
            }
            EXPECT_EQ(window->isMaximized(), maximised == "1");
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return toolkit.settings.value("window/open") == (aside ? otherWindow + ' ' : "") + OwnEntry();
            })) << toolkit.settings.value("window/open").toStdString();
            window->close();
            EXPECT_EQ(toolkit.settings.value("window/geometry") + ' ' +
                          toolkit.settings.value("window/maximised"),
                      QString::asprintf("%d %d %d %d %s", n.x(), n.y(), n.width(), n.height(),
                                        qPrintable(maximised)));
            EXPECT_EQ(toolkit.settings.value("window/open"), aside ? otherWindow : "");
        }
    }
}

} // namespace
} // namespace velto::testing
