#include "WindowFixture.h"

#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

namespace velto::testing {
namespace {

// A rebuild keeps the cells already there, so whatever came before must never show through.
TEST(GridView, EachRebuildShowsOnlyItsOwnRows) {
    const struct {
        QList<QStringList> rows;
        QStringList shown;
    } steps[] = {
        {{{"Lamp", "3"}, {"Fan", "4"}, {"Door", "9"}}, {"Lamp|3", "Fan|4", "Door|9"}},
        {{{"Hall", "5"}}, {"Hall|5"}},
        {{}, {}}, // no records: one blank row, which is no record
        {{{"Gate", "1"}, {"Pump", "2"}}, {"Gate|1", "Pump|2"}},
        {{{"Gate"}, {"Pump", "7"}}, {"Gate|", "Pump|7"}}, // a short row leaves the rest of it empty
    };
    GridView grid(QStringLiteral("Fl_test"));
    for (const auto& step : steps) {
        grid.setup({"Name", "Key"}, {2000, 700}, step.rows);
        EXPECT_EQ(RowsOf(grid), step.shown);
        EXPECT_EQ(grid.rowCount(), std::max(qsizetype(1), step.rows.size()));
    }
}

class Grid : public WindowFixture {
protected:
    GridView* devices() const { return grid("Fl_dev"); }
    int width(int column) const { return devices()->columnWidth(column); }
    // The whole text of a cell when it shows as a tooltip, or "" when none shows.
    QString toolTipAt(int row, int column) {
        QWidget* cells = devices()->viewport();
        const QPoint at = devices()->visualRect(devices()->model()->index(row - 1, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, cells->mapToGlobal(at));
        QApplication::sendEvent(cells, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

// Every column is at least its own width and shows its heading and its cells whole, in either
// language; the name column, not the last one, takes what is left of the grid's width.
TEST_F(Grid, ColumnsShowTheirHeadingsAndCellsAndTheNameTakesTheRest) {
    model().DeviceTable[95] = {"Tapparella soggiorno", false, 0, "2", 0, 1};
    model().CameraTable[12] = {"Cancello", "4100#2"};
    model().ScenarioTable[16] = {"Notte", "95#4#4"};
    const QList<int> twips[] = {
        {2000, 700, 700, 700}, {2000, 700}, {2000, 700}, {2000, 800, 650, 800}, {2000, 800, 650}};
    const int headingMargin = 2 * QApplication::style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int cellMargin = 2 * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    window->resize(1400, 700);
    for (const char* language : {"mIta", "mEng"}) {
        trigger(language);
        window->RefreshAllViews();
        for (int tab = 0; tab < 5; ++tab) {
            GridView* g = grid(Tabs()[tab].grid);
            clickTab(tab);
            int total = 0;
            ASSERT_EQ(g->columnCount(), twips[tab].size());
            for (int column = 0; column < g->columnCount(); ++column) {
                const QString heading = g->horizontalHeaderItem(column)->text();
                SCOPED_TRACE(std::string(language) + ' ' + Tabs()[tab].grid + ' ' + heading.toStdString());
                const int width = g->columnWidth(column);
                total += width;
                EXPECT_GE(width, twips[tab][column] * g->logicalDpiX() / 1440);
                EXPECT_GE(width,
                          g->horizontalHeader()->fontMetrics().horizontalAdvance(heading) + headingMargin);
                for (int row = 1; row <= g->dataRowCount(); ++row)
                    EXPECT_GE(width, g->fontMetrics().horizontalAdvance(g->cell(row, column)) + cellMargin);
            }
            EXPECT_EQ(total, g->viewport()->width());
            EXPECT_GT(g->columnWidth(0), 2 * 2000 * g->logicalDpiX() / 1440);
        }
    }
}

// A width the user drags stays through refreshes and language switches until New; a cell cut short
// shows its whole text as a tooltip, a whole one none.
TEST_F(Grid, DraggedWidthsStayUntilNewAndCutCellsShowTheirText) {
    add(0, {"Tapparella soggiorno", "", "1", "12"});
    const int fitted = width(2);
    devices()->horizontalHeader()->resizeSection(2, fitted + 90);
    devices()->horizontalHeader()->resizeSection(0, 30);
    EXPECT_EQ(toolTipAt(1, 2), "");
    EXPECT_EQ(toolTipAt(1, 0), "Tapparella soggiorno");
    add(0, {"Luce", "", "0", "13"});
    trigger("mEng");
    EXPECT_EQ(width(2), fitted + 90);
    EXPECT_EQ(width(0), 30);
    toolkit.expectBox(kAnswerNo);
    trigger("mNew");
    toolkit.takeBoxes();
    EXPECT_LT(width(2), fitted + 90);
    EXPECT_GT(width(0), 30);
}

} // namespace
} // namespace velto::testing
