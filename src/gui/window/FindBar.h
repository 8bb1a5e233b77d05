#pragma once

#include <QObject>
#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace velto {

class GridView;

// The filter over the grids (Edit > Find): what the box holds filters every grid, the label counts the
// rows of the grid shown that match, and each other tab's title says how many of its rows match
// ("Carichi (2)"), so that no match goes unseen; Escape empties the box, Down goes on to the grid shown.
class FindBar final : public QObject {
public:
    FindBar(QLineEdit* box, QLabel* count, QTabWidget* tabs, const std::array<GridView*, 5>& grids);

    // Edit > Find: the box takes the focus, its text selected.
    void focus();
    void setItalian(bool italian);
    // Filters every grid again, for what a row means has changed without a rebuild (a group renamed).
    void refilter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCount();
    void showTabCounts();
    GridView* shownGrid() const;

    QLineEdit* box_;
    QLabel* count_;
    QTabWidget* tabs_;
    std::array<GridView*, 5> grids_;
    // Each tab's title as the window gave it, and as this bar last wrote it.
    std::array<QString, 5> plainTitles_, writtenTitles_;
    bool italian_ = true;
};

} // namespace velto
