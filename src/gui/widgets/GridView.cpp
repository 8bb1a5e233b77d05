#include "GridView.h"

#include <QHeaderView>

namespace velto {

GridView::GridView(const QString& objectName, QWidget* parent) : QTableWidget(parent) {
    setObjectName(objectName);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QTableWidget::currentCellChanged, this, [this] { emit rowSelected(); });
    connect(this, &QTableWidget::cellClicked, this, [this] { emit rowSelected(); });
}

void GridView::setup(const QStringList& headings, const QList<int>& widthsInTwips,
                     const QList<QStringList>& rows) {
    const QSignalBlocker blocker(this);
    setColumnCount(int(headings.size()));
    setHeadings(headings);
    const int dpi = logicalDpiX();
    for (int column = 0; column < widthsInTwips.size(); ++column) {
        const int width = widthsInTwips[column] * dpi / 1440;
        if (columnWidth(column) != width)
            setColumnWidth(column, width);
    }
    if (rows.isEmpty()) {
        clearContents();
        setRowCount(1);
        return;
    }
    // Every cell is rewritten, but the cells already there are kept and given their new text: a cell
    // whose text stays the same then costs nothing, and the grid is not reset as a whole.
    setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (column >= rows[row].size())
                delete takeItem(row, column);
            else if (QTableWidgetItem* existing = item(row, column))
                existing->setText(rows[row][column]);
            else
                setItem(row, column, new QTableWidgetItem(rows[row][column]));
        }
    }
}

void GridView::setHeadings(const QStringList& headings) {
    for (int column = 0; column < headings.size(); ++column) {
        const QTableWidgetItem* heading = horizontalHeaderItem(column);
        if (heading == nullptr || heading->text() != headings[column]) {
            setHorizontalHeaderLabels(headings);
            return;
        }
    }
}

void GridView::setCurrentDataRow(int row) {
    const QSignalBlocker blocker(this);
    setCurrentCell(row - 1, 0);
}

QString GridView::cell(int row, int column) const {
    const QTableWidgetItem* item = this->item(row - 1, column);
    return item ? item->text() : QString();
}

} // namespace velto
