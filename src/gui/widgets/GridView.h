#pragma once

#include <QHash>
#include <QTableWidget>
#include <vector>

namespace velto {

// A grid of text cells whose heading row is row 0 and whose data rows count from 1, the numbering
// the editors use for the row they act on. An empty grid shows one empty data row.
//
// Each column is at least its given width and wide enough for its heading and its longest cell; the
// name column (column 0) takes the spare width. A width the user drags stays until
// forgetDraggedWidths(). A cell still too narrow for its text shows the whole text as a tooltip.
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
    QString cell(int row, int column) const;

signals:
    // The user selected a row (or a rebuild made one current).
    void rowSelected();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void fitColumns();
    void measureHeadings();
    // The width the widest cell of a column needs to show whole.
    int textColumnWidth(int column) const;
    int textWidth(const QString& text) const;

    bool hasRecords_ = false;
    bool fitting_ = false;
    std::vector<int> minimumWidths_;
    std::vector<int> draggedWidths_; // 0: never dragged
    std::vector<int> headingWidths_;
    mutable QHash<QString, int> textWidths_;
};

} // namespace velto
