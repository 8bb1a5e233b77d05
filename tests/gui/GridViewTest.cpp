#include "GridView.h"

#include <gtest/gtest.h>

namespace velto::testing {
namespace {

// The data rows as shown, cells joined by "|".
QStringList Shown(const GridView& grid) {
    QStringList rows;
    for (int row = 1; row <= grid.dataRowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << grid.cell(row, column);
        rows << cells.join('|');
    }
    return rows;
}

// A rebuild keeps the cells already there, so whatever came before must never show through.
TEST(GridView, EachRebuildShowsOnlyItsOwnRows) {
    struct Step {
        QList<QStringList> rows;
        QStringList shown;
    };
    const Step steps[] = {
        {{{"Lamp", "3"}, {"Fan", "4"}, {"Door", "9"}}, {"Lamp|3", "Fan|4", "Door|9"}},
        {{{"Hall", "5"}}, {"Hall|5"}},
        {{}, {"|"}}, // no records: one empty row
        {{{"Gate", "1"}, {"Pump", "2"}}, {"Gate|1", "Pump|2"}},
        {{{"Gate"}, {"Pump", "7"}}, {"Gate|", "Pump|7"}}, // a short row leaves the rest of it empty
    };
    GridView grid(QStringLiteral("Fl_test"));
    for (const Step& step : steps) {
        grid.setup({"Name", "Key"}, {2000, 700}, step.rows);
        EXPECT_EQ(Shown(grid), step.shown);
    }
}

} // namespace
} // namespace velto::testing
