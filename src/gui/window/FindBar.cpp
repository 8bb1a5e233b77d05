#include "FindBar.h"

#include "GridView.h"
#include "WindowTexts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace velto {
namespace {

constexpr TextPair kShownOfAll{"%1 di %2", "%1 of %2"};

} // namespace

FindBar::FindBar(QLineEdit* box, QLabel* count, QTabWidget* tabs, const std::array<GridView*, 5>& grids)
    : QObject(box), box_(box), count_(count), tabs_(tabs), grids_(grids) {
    box_->installEventFilter(this);
    connect(box_, &QLineEdit::textChanged, this, &FindBar::refilter);
    for (GridView* grid : grids_)
        connect(grid, &GridView::rowsShownChanged, this, &FindBar::showCount);
    connect(tabs_, &QTabWidget::currentChanged, this, &FindBar::showCount);
}

void FindBar::focus() {
    box_->setFocus(Qt::ShortcutFocusReason);
    box_->selectAll();
}

void FindBar::setItalian(bool italian) {
    italian_ = italian;
    showCount();
}

void FindBar::refilter() {
    for (GridView* grid : grids_)
        grid->setFilter(box_->text());
}

GridView* FindBar::shownGrid() const {
    return grids_[std::size_t(tabs_->currentIndex())];
}

// How many rows of the grid shown match the filter, out of how many; nothing while there is no filter.
void FindBar::showCount() {
    count_->setText(
        box_->text().isEmpty()
            ? QString()
            : Pick(kShownOfAll, italian_).arg(shownGrid()->shownRowCount()).arg(shownGrid()->dataRowCount()));
    showTabCounts();
}

// A title this bar did not write is the window's own, in the language in force.
void FindBar::showTabCounts() {
    for (int tab = 0; tab < int(grids_.size()); ++tab) {
        const std::size_t at = std::size_t(tab);
        if (tabs_->tabText(tab) != writtenTitles_[at])
            plainTitles_[at] = tabs_->tabText(tab);
        writtenTitles_[at] =
            box_->text().isEmpty() || tab == tabs_->currentIndex()
                ? plainTitles_[at]
                : QStringLiteral("%1 (%2)").arg(plainTitles_[at]).arg(grids_[at]->shownRowCount());
        if (tabs_->tabText(tab) != writtenTitles_[at]) // a tab bar lays itself out again on every title
            tabs_->setTabText(tab, writtenTitles_[at]);
    }
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !box_->text().isEmpty()) {
            box_->clear();
            return true;
        }
        if (key == Qt::Key_Down) {
            shownGrid()->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velto
