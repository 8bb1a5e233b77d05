#include "WindowFixture.h"

#include <QHelpEvent>
#include <QToolTip>

namespace velto::testing {
namespace {

// A rebuild shows its own rows only, nothing of a longer row before.
TEST(GridView, EachRebuildShowsOnlyItsOwnRows) {
    GridView grid(QStringLiteral("Fl_test"));
    grid.setup({"Name", "Key"}, {2000, 700}, {{"Lamp", "3"}, {"Fan", "4"}});
    grid.setup({"Name", "Key"}, {2000, 700}, {{"Hall"}});
    EXPECT_EQ(RowsOf(grid), QStringList{"Hall|"});
}

// A name of a million characters shows shortened, and the row still gives it whole to the editor.
TEST(GridView, AVeryLongNameShowsShortenedAndStaysWhole) {
    GridView grid(QStringLiteral("Fl_test"));
    const QString name(1'000'000, QChar('x'));
    grid.setup({"Name", "Key"}, {2000, 700}, {{name, "3"}, {"Fan", "4"}});
    EXPECT_EQ(grid.item(0, 0)->text(), QString(256, QChar('x')) + QChar(0x2026));
    EXPECT_EQ(grid.cell(1, 0), name);
    grid.setup({"Name", "Key"}, {2000, 700}, {{"Hall", "3"}});
    EXPECT_EQ(RowsOf(grid), QStringList{"Hall|3"});
}

// The whole text of a grid cell when it shows as a tooltip, or "" when none shows.
QString ToolTipAt(GridView* grid, int row, int column) {
    const QPoint at = grid->visualRect(grid->model()->index(row - 1, column)).center();
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

using Grid = WindowFixture;

// Columns fit headings and cells, the name column takes the rest; dragged widths stay until New.
TEST_F(Grid, ColumnsFitTheirTextsAndKeepTheWidthsDragged) {
    model().DeviceTable[95] = {"Tapparella soggiorno", false, 2, "2", 0, 1};
    model().GroupTable[2] = "Cucina";
    model().CameraTable[12] = {"Cancello", "4100#2"};
    model().ScenarioTable[16] = {"Notte", "95#4#4"};
    const QList<int> twips[] = {
        {2000, 700, 700, 700}, {2000, 700}, {2000, 700}, {2000, 800, 650, 800}, {2000, 800, 650}};
    window->resize(1400, 700);
    for (const char* language : {"mIta", "mEng"}) {
        trigger(language);
        window->RefreshAllViews();
        for (int tab = 0; tab < 5; ++tab) {
            GridView* g = grid(Tabs()[tab].grid);
            clickTab(tab);
            SCOPED_TRACE(std::string(language) + ' ' + Tabs()[tab].grid);
            ASSERT_EQ(g->columnCount(), twips[tab].size());
            ExpectTextsFit(*g);
            int total = 0;
            for (int column = 0; column < g->columnCount(); ++column)
                total += g->columnWidth(column);
            EXPECT_EQ(total, g->viewport()->width());
            EXPECT_GT(g->columnWidth(0), 2 * 2000 * g->logicalDpiX() / 1440);
        }
    }

    GridView* devices = grid("Fl_dev");
    clickTab(0);
    const int fitted = devices->columnWidth(2),
              narrow = std::max(30, devices->horizontalHeader()->minimumSectionSize());
    devices->horizontalHeader()->resizeSection(2, fitted + 90);
    devices->horizontalHeader()->resizeSection(0, narrow);
    EXPECT_EQ(ToolTipAt(devices, 1, 2), "");
    EXPECT_EQ(ToolTipAt(devices, 1, 1), "Cucina"); // the group's name
    EXPECT_EQ(ToolTipAt(devices, 1, 0), "Tapparella soggiorno");
    trigger("mIta");
    window->RefreshAllViews();
    EXPECT_EQ((QList<int>{devices->columnWidth(2), devices->columnWidth(0)}),
              (QList<int>{fitted + 90, narrow}));
    trigger("mNew");
    EXPECT_TRUE(devices->columnWidth(2) < fitted + 90 && devices->columnWidth(0) > narrow); // fitted again
    // In a tiny font every column but the name's is as wide as the table says.
    for (int tab = 0; tab < 5; ++tab) {
        GridView* g = grid(Tabs()[tab].grid);
        g->setFont(QFont(g->font().family(), 1));
        for (int column = 1; column < g->columnCount(); ++column)
            EXPECT_EQ(g->columnWidth(column), twips[tab][column] * g->logicalDpiX() / 1440) << tab << column;
    }
}

} // namespace
} // namespace velto::testing
