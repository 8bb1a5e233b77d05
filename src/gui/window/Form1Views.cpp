// The grids, lists and group combo, rebuilt whole from the tables.
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"
#include "RecordEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace velto {

void Form1::setGrid(int tab, const GridRows& rows) {
    grids_[tab]->setup(GridHeadings(tab, texts_), GridWidthsInTwips(tab), rows);
    editor(tab).roles().modifyButton->setEnabled(false);
    editor(tab).roles().deleteButton->setEnabled(false);
}

// Keeps the group chosen for a device being edited while the groups are named or deleted.
void Form1::FillGroupCombo() {
    const int chosen = Cgru->currentIndex();
    Cgru->clear();
    Cgru->addItems(GroupComboItems(model().GroupTable));
    Cgru->setCurrentIndex(chosen);
}

void Form1::RefreshAllViews() {
    FillGroupCombo();
    Lgru->clear();
    Lgru->addItems(SlotListItems(model().GroupTable));
    Laux->clear();
    Laux->addItems(SlotListItems(model().AuxTable));

    for (int tab = 0; tab < kTabCount; ++tab) {
        const GridRows rows = TabRows(tab, model(), texts_);
        setGrid(tab, rows); // each grid's own set-up, then its rows
        grids_[tab]->setCurrentDataRow(1);
        editor(tab).UpdateRowButtons();
        countLabels_[tab]->setText(CountCaption(tab, rows.size(), texts_));
    }
    updateRecordCommands();
}

} // namespace velto
