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

void GridView::setup(const QStringList& headings, const QList<int>& widthsInTwips) {
    const QSignalBlocker blocker(this);
    clearContents();
    setColumnCount(int(headings.size()));
    setRowCount(1);
    setHeadings(headings);
    const int dpi = logicalDpiX();
    for (int column = 0; column < widthsInTwips.size(); ++column)
        setColumnWidth(column, widthsInTwips[column] * dpi / 1440);
}

void GridView::setHeadings(const QStringList& headings) {
    setHorizontalHeaderLabels(headings);
}

void GridView::setRows(const QList<QStringList>& rows) {
    const QSignalBlocker blocker(this);
    setRowCount(std::max(1, int(rows.size())));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size() && column < columnCount(); ++column)
            setItem(row, column, new QTableWidgetItem(rows[row][column]));
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
