#pragma once

#include <QObject>
#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace velto {

class GridView;

// The filter over the grids (Edit > Find): what the box holds filters every grid, the label counts the
// rows of the grid shown that match; Escape empties the box, Down goes on to the grid shown.
class FindBar final : public QObject {
public:
    FindBar(QLineEdit* box, QLabel* count, QTabWidget* tabs, const std::array<GridView*, 5>& grids);

    // Edit > Find: the box takes the focus, its text selected.
    void focus();
    void setItalian(bool italian);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCount();
    GridView* shownGrid() const;

    QLineEdit* box_;
    QLabel* count_;
    QTabWidget* tabs_;
    std::array<GridView*, 5> grids_;
    bool italian_ = true;
};

} // namespace velto
