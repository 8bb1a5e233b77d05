#pragma once

#include <QHash>
#include <QTableWidget>
#include <functional>
#include <vector>

namespace velto {

// A text as searches compare it: case folded, accents dropped ("Città" and "citta" are the same).
QString SearchKey(const QString& text);

// A grid of text cells whose heading row is row 0 and whose data rows count from 1, the numbering
// the editors use for the row they act on. An empty grid shows one empty data row.
//
// Each column is at least its given width and wide enough for its heading and its longest cell; the
// name column (column 0) takes the spare width. A width the user drags stays until
// forgetDraggedWidths(). A cell still too narrow for its text shows the whole text as a tooltip.
//
// A filter shows only the rows with a cell that contains its text, ignoring case and accents, in what
// the cell shows or what hovering over it tells; it stays through every rebuild. Tab and Shift+Tab leave the
// grid rather than walking its cells.
//
// Rows are selected whole, many at once by Ctrl+click, Shift+click and Shift+arrows.
class GridView : public QTableWidget {
    Q_OBJECT
public:
    explicit GridView(const QString& objectName, QWidget* parent = nullptr);

    // Rebuilt whole: the headings, the column widths (in twips) and the data rows from row 1 on; with
    // no rows, one empty data row.
    void setup(const QStringList& headings, const QList<int>& widthsInTwips,
               const QList<QStringList>& rows = {});
    void setHeadings(const QStringList& headings);
    void forgetDraggedWidths();

    // The records listed: the blank row of an empty grid is not one.
    int dataRowCount() const { return hasRecords_ ? rowCount() : 0; }
    int currentDataRow() const { return currentRow() + 1; } // 0 when no row is current
    void setCurrentDataRow(int row);
    // The data rows selected and shown, in ascending order (the blank row of an empty grid is none).
    QList<int> selectedDataRows() const;
    // Selects the rows shown, and no hidden one.
    void selectShownRows();
    // Selects these data rows, the first of them current.
    void selectDataRows(const QList<int>& rows);
    QString cell(int row, int column) const;

    // Shows only the rows that match; an empty text shows every row. A hidden current row hands the
    // selection to the first row shown.
    void setFilter(const QString& text);
    int shownRowCount() const;
    // What a cell's tooltip says beyond its cut text: (data row, column) -> text, empty for none.
    void setToolTipSource(std::function<QString(int, int)> source) { toolTipSource_ = std::move(source); }

signals:
    // The user selected a row (or a rebuild made one current).
    void rowSelected();
    // The rows shown changed: a rebuild or a new filter.
    void rowsShownChanged();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void rebuild(const QStringList& headings, const QList<int>& widthsInTwips,
                 const QList<QStringList>& rows);
    void fitColumns();
    void applyFilter();
    bool rowMatches(int row) const;
    void measureHeadings();
    // The width the widest cell of a column needs to show whole.
    int textColumnWidth(int column) const;
    int textWidth(const QString& text) const;

    bool hasRecords_ = false;
    bool fitting_ = false;
    QString filter_; // folded for comparison
    std::function<QString(int, int)> toolTipSource_;
    std::vector<int> minimumWidths_;
    std::vector<int> draggedWidths_; // 0: never dragged
    std::vector<int> headingWidths_;
    mutable QHash<QString, int> textWidths_;
};

} // namespace velto
