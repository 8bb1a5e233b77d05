#include "GridView.h"

#include "ShownText.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QtMath>
#include <algorithm>

namespace velto {
namespace {

// A cell shows at most kMostShownCharacters: no column is that wide. The whole text stays with the
// cell, in its user role, for cell().
void ShowText(QTableWidgetItem& item, const QString& text) {
    item.setText(Shortened(text));
    const bool cut = text.size() > qsizetype(kMostShownCharacters);
    if (cut)
        item.setData(Qt::UserRole, text);
    else if (item.data(Qt::UserRole).isValid())
        item.setData(Qt::UserRole, QVariant());
}

} // namespace

QString SearchKey(const QString& text) {
    QString key;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.category() != QChar::Mark_NonSpacing)
            key += c;
    }
    return key.toCaseFolded();
}

GridView::GridView(const QString& objectName, QWidget* parent) : QTableWidget(parent) {
    setObjectName(objectName);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(this, &QTableWidget::currentCellChanged, this, [this] { emit rowSelected(); });
    connect(this, &QTableWidget::cellClicked, this, [this] { emit rowSelected(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!signalsBlocked())
            emit rowSelected();
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (fitting_ || column >= int(draggedWidths_.size()))
            return;
        draggedWidths_[column] = width;
        fitColumns(); // the name column gives or takes what the dragged one took or gave
    });
}

void GridView::setup(const QStringList& headings, const QList<int>& widthsInTwips,
                     const QList<QStringList>& rows) {
    {
        const QSignalBlocker blocker(this);
        rebuild(headings, widthsInTwips, rows);
        applyFilter();
    }
    emit rowsShownChanged();
}

void GridView::rebuild(const QStringList& headings, const QList<int>& widthsInTwips,
                       const QList<QStringList>& rows) {
    setColumnCount(int(headings.size()));
    setHeadings(headings);
    minimumWidths_.assign(headings.size(), 0);
    draggedWidths_.resize(headings.size(), 0);
    for (int column = 0; column < widthsInTwips.size() && column < columnCount(); ++column)
        minimumWidths_[column] = widthsInTwips[column] * logicalDpiX() / 1440;
    hasRecords_ = !rows.isEmpty();
    if (rows.isEmpty()) {
        clearContents();
        setRowCount(1);
        fitColumns();
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
                ShowText(*existing, rows[row][column]);
            else {
                auto* made = new QTableWidgetItem;
                ShowText(*made, rows[row][column]);
                setItem(row, column, made);
            }
        }
    }
    fitColumns();
}

void GridView::setHeadings(const QStringList& headings) {
    for (int column = 0; column < headings.size(); ++column) {
        const QTableWidgetItem* heading = horizontalHeaderItem(column);
        if (heading == nullptr || heading->text() != headings[column]) {
            setHorizontalHeaderLabels(headings);
            measureHeadings();
            fitColumns();
            return;
        }
    }
}

void GridView::forgetDraggedWidths() {
    std::fill(draggedWidths_.begin(), draggedWidths_.end(), 0);
    fitColumns();
}

void GridView::fitColumns() {
    if (minimumWidths_.empty())
        return;
    if (headingWidths_.size() != minimumWidths_.size())
        measureHeadings();
    fitting_ = true;
    std::vector<int> widths(minimumWidths_.size());
    for (int column = 0; column < int(widths.size()); ++column) {
        widths[column] =
            draggedWidths_[column] > 0
                ? draggedWidths_[column]
                : std::max({minimumWidths_[column], headingWidths_[column], textColumnWidth(column)});
    }
    if (draggedWidths_[0] == 0) {
        int others = 0;
        for (std::size_t column = 1; column < widths.size(); ++column)
            others += widths[column];
        widths[0] = std::max(widths[0], viewport()->width() - others);
    }
    for (int column = 0; column < int(widths.size()); ++column) {
        if (columnWidth(column) != widths[column])
            setColumnWidth(column, widths[column]);
    }
    fitting_ = false;
}

void GridView::measureHeadings() {
    headingWidths_.resize(columnCount());
    for (int column = 0; column < columnCount(); ++column)
        headingWidths_[column] = horizontalHeader()->sectionSizeHint(column);
}

// At a fractional scale (150 %) a text's width is fractional too; rounded down, the cell would elide it.
int GridView::textWidth(const QString& text) const {
    // Measuring a text costs far more than finding it again: a refresh mostly shows texts shown before.
    if (textWidths_.size() > 10000)
        textWidths_.clear();
    auto known = textWidths_.constFind(text);
    if (known == textWidths_.constEnd())
        known = textWidths_.insert(text, qCeil(QFontMetricsF(font(), this).horizontalAdvance(text)));
    return *known;
}

int GridView::textColumnWidth(int column) const {
    int widest = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (const QTableWidgetItem* cell = item(row, column))
            widest = std::max(widest, textWidth(cell->text()));
    }
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return widest + 2 * margin + (showGrid() ? 1 : 0);
}

void GridView::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        textWidths_.clear();
        measureHeadings();
        fitColumns();
    }
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    fitColumns();
}

bool GridView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QRect rect = visualRect(index);
        const bool cut = index.isValid() && sizeHintForIndex(index).width() > rect.width();
        QStringList tip;
        if (cut)
            tip << index.data().toString();
        if (index.isValid() && toolTipSource_)
            tip << toolTipSource_(index.row() + 1, index.column());
        tip.removeAll(QString());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip.join('\n'), viewport(), rect);
        return true;
    }
    return QTableWidget::viewportEvent(event);
}

void GridView::setCurrentDataRow(int row) {
    const QSignalBlocker blocker(this);
    int shown = row - 1;
    while (shown < rowCount() && isRowHidden(shown))
        ++shown;
    if (shown < rowCount())
        setCurrentCell(shown, 0);
    else
        setCurrentCell(-1, -1);
}

QList<int> GridView::selectedDataRows() const {
    // Read from the selection's ranges: asking row by row whether it is selected costs a walk of every
    // range for each row.
    std::vector<bool> selected(std::size_t(dataRowCount()), false);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (range.left() > 0 || range.right() < columnCount() - 1)
            continue; // a part of a row is no row selected
        for (int row = range.top(); row <= range.bottom() && row < dataRowCount(); ++row)
            selected[std::size_t(row)] = !isRowHidden(row);
    }
    QList<int> rows;
    for (std::size_t row = 0; row < selected.size(); ++row) {
        if (selected[row])
            rows << int(row) + 1;
    }
    return rows;
}

void GridView::selectShownRows() {
    QList<int> shown;
    for (int row = 1; row <= dataRowCount(); ++row) {
        if (!isRowHidden(row - 1))
            shown << row;
    }
    selectDataRows(shown);
}

void GridView::selectDataRows(const QList<int>& rows) {
    QItemSelection selection;
    for (qsizetype first = 0, last = 0; first < rows.size(); first = last) {
        last = first + 1; // each run of consecutive rows is one range
        while (last < rows.size() && rows[last] == rows[last - 1] + 1)
            ++last;
        selection.select(model()->index(rows[first] - 1, 0),
                         model()->index(rows[last - 1] - 1, columnCount() - 1));
    }
    if (!rows.isEmpty())
        selectionModel()->setCurrentIndex(model()->index(rows.front() - 1, 0), QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void GridView::setFilter(const QString& text) {
    filter_ = SearchKey(text);
    applyFilter();
    emit rowsShownChanged();
}

// A row matches by what its cells show and what hovering over them tells (a device's group name).
bool GridView::rowMatches(int row) const {
    for (int column = 0; column < columnCount(); ++column) {
        const QTableWidgetItem* cell = item(row, column);
        if (cell && SearchKey(cell->text()).contains(filter_))
            return true;
        if (toolTipSource_ && SearchKey(toolTipSource_(row + 1, column)).contains(filter_))
            return true;
    }
    return false;
}

void GridView::applyFilter() {
    const bool filtering = hasRecords_ && !filter_.isEmpty();
    for (int row = 0; row < rowCount(); ++row)
        setRowHidden(row, filtering && !rowMatches(row));
    if (currentRow() >= 0 && isRowHidden(currentRow())) {
        setCurrentDataRow(1);
        emit rowSelected();
    }
}

int GridView::shownRowCount() const {
    int shown = 0;
    for (int row = 0; row < dataRowCount(); ++row)
        shown += isRowHidden(row) ? 0 : 1;
    return shown;
}

QString GridView::cell(int row, int column) const {
    const QTableWidgetItem* item = this->item(row - 1, column);
    if (!item)
        return {};
    const QVariant whole = item->data(Qt::UserRole);
    return whole.isValid() ? whole.toString() : item->text();
}

} // namespace velto
