// The filter over the grids (Edit > Find), and the group names the device grid shows on hovering.
#include "EditorRoles.h"
#include "Form1.h"
#include "GridView.h"
#include "NumberText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace velto {
namespace {

// Escape empties the find box; Down goes on to the grid shown.
class FindKeys : public QObject {
public:
    FindKeys(QLineEdit* box, std::function<QWidget*()> grid)
        : QObject(box), box_(box), grid_(std::move(grid)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape && !box_->text().isEmpty()) {
                box_->clear();
                return true;
            }
            if (key == Qt::Key_Down) {
                grid_()->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* box_;
    std::function<QWidget*()> grid_;
};

} // namespace

void Form1::connectFind() {
    Tfind = control<QLineEdit>("Tfind");
    LfindTot = control<QLabel>("LfindTot");
    Tfind->installEventFilter(new FindKeys(Tfind, [this] { return grids_[STab->currentIndex()]; }));
    connect(Tfind, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (GridView* grid : grids_)
            grid->setFilter(text);
    });
    for (GridView* grid : grids_)
        connect(grid, &GridView::rowsShownChanged, this, &Form1::showFindCount);
    connect(STab, &QTabWidget::currentChanged, this, &Form1::showFindCount);

    grids_[0]->setToolTipSource([this](int row, int column) {
        if (column != 1)
            return QString();
        const int address = int(LeadingNumber(grids_[0]->cell(row, roles_[0]->keyColumn).toStdString()));
        const int group = address > 0 && address <= kMaxDeviceAddress ? model_.DeviceTable[address].group : 0;
        return group > 0 && group <= kMaxGroup ? QString::fromStdString(model_.GroupTable[group]) : QString();
    });
}

// How many rows of the grid shown match the filter, out of how many; nothing while there is no filter.
void Form1::showFindCount() {
    const GridView* grid = grids_[STab->currentIndex()];
    LfindTot->setText(Tfind->text().isEmpty()
                          ? QString()
                          : (UiLanguage ? QStringLiteral("%1 di %2") : QStringLiteral("%1 of %2"))
                                .arg(grid->shownRowCount())
                                .arg(grid->dataRowCount()));
}

void Form1::mFind_Click() {
    Tfind->setFocus(Qt::ShortcutFocusReason);
    Tfind->selectAll();
}

} // namespace velto
