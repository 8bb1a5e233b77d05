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

void Form1::SetupDeviceGrid() {
    setGrid(0);
}
void Form1::SetupLoadGrid() {
    setGrid(1);
}
void Form1::SetupProbeGrid() {
    setGrid(2);
}
void Form1::SetupCameraGrid() {
    setGrid(3);
}
void Form1::SetupScenarioGrid() {
    setGrid(4);
}

// Keeps the group chosen for a device being edited while the groups are named or deleted.
void Form1::FillGroupCombo() {
    const int chosen = Cgru->currentIndex();
    Cgru->clear();
    Cgru->addItems(GroupComboItems(model_.GroupTable));
    Cgru->setCurrentIndex(chosen);
}

void Form1::RefreshAllViews() {
    FillGroupCombo();
    Lgru->clear();
    Lgru->addItems(SlotListItems(model_.GroupTable));
    Laux->clear();
    Laux->addItems(SlotListItems(model_.AuxTable));

    const std::array<GridRows, kTabCount> rows{DeviceRows(model_), LoadRows(model_), ProbeRows(model_),
                                               CameraRows(model_, texts_), ScenarioRows(model_)};
    const std::array<QString, kTabCount> countWords{
        ' ' + texts_[Word::deviceCountWord], ' ' + texts_[Word::loadCountWord],
        ' ' + texts_[Word::probeCountWord], QStringLiteral(" Camera"), ' ' + texts_[Word::scenarioCountWord]};
    for (int tab = 0; tab < kTabCount; ++tab) {
        setGrid(tab, rows[tab]); // each grid's own set-up, then its rows
        grids_[tab]->setCurrentDataRow(1);
        editor(tab).UpdateRowButtons();
        countLabels_[tab]->setText(QString::number(rows[tab].size()) + countWords[tab]);
    }
}

} // namespace velto
