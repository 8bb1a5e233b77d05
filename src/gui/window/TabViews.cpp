#include "TabViews.h"

#include "GridView.h"
#include "WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace velto {

void SetGrid(const WindowControls& controls, int tab, const UiTexts& texts, const GridRows& rows) {
    controls.grids[tab]->setup(GridHeadings(tab, texts), GridWidthsInTwips(tab), rows);
    controls.roles[tab]->modifyButton->setEnabled(false);
    controls.roles[tab]->deleteButton->setEnabled(false);
}

void FillGroupCombo(QComboBox* Cgru, const ConfigModel& tables) {
    const int chosen = Cgru->currentIndex();
    Cgru->clear();
    Cgru->addItems(GroupComboItems(tables.GroupTable));
    Cgru->setCurrentIndex(chosen);
}

void FillFixedLists(const WindowControls& controls, const UiTexts& texts) {
    const auto numbers = [](int last) {
        QStringList items;
        for (int n = 1; n <= last; ++n)
            items << QString::number(n);
        return items;
    };
    controls.Cgru->addItems(numbers(kMaxGroup));
    controls.Lgru->addItems(numbers(kMaxGroup));
    controls.Laux->addItems(numbers(kMaxAux));
    controls.get<QComboBox>("Cpriori")->addItems(numbers(kMaxLoad));
    controls.get<QComboBox>("CnumS")->addItems(numbers(kMaxScenario));
    controls.get<QComboBox>("Cnum")->addItems(numbers(kMaxCamera));
    controls.get<QComboBox>("Czona")->addItems(numbers(kMaxProbe));
    for (int tab = 0; tab < kTabCount; ++tab)
        controls.countLabels[tab]->setText(CountCaption(tab, 0, texts));
    auto* types = controls.get<QComboBox>("Ctipo");
    for (const DeviceType& type : kDeviceTypes)
        types->addItem(QString::fromLatin1(type.displayName));
    for (QComboBox* combo : controls.STab->window()->findChildren<QComboBox*>())
        combo->setCurrentIndex(-1);
}

} // namespace velto
