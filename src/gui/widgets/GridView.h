#pragma once

#include <QTableWidget>

namespace velto {

// A grid of text cells whose heading row is row 0 and whose data rows count from 1, the numbering
// the editors use for the row they act on. An empty grid shows one empty data row.
class GridView : public QTableWidget {
    Q_OBJECT
public:
    explicit GridView(const QString& objectName, QWidget* parent = nullptr);

    // Rebuilt whole: the headings, the column widths (in twips) and the data rows from row 1 on; with
    // no rows, one empty data row.
    void setup(const QStringList& headings, const QList<int>& widthsInTwips,
               const QList<QStringList>& rows = {});
    void setHeadings(const QStringList& headings);

    int dataRowCount() const { return rowCount(); }
    int currentDataRow() const { return currentRow() + 1; } // 0 when no row is current
    void setCurrentDataRow(int row);
    QString cell(int row, int column) const;

signals:
    // The user selected a row (or a rebuild made one current).
    void rowSelected();
};

} // namespace velto
