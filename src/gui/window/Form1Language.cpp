// The language switch: the setting, every caption, the words in force, the combo items.
#include "FindBar.h"
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"
#include "Hints.h"
#include "HistoryView.h"
#include "WindowTexts.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace velto {
namespace {

// The items of Cbus: the private bus, then the local buses 1..9.
QStringList BusItems(bool italian) {
    QStringList items;
    for (int bus = 0; bus <= 9; ++bus)
        items << QString::fromStdString(BusItemText(bus, italian));
    return items;
}

// Replaces a combo's items and keeps the chosen position.
void ReplaceItems(QComboBox* combo, const QStringList& items) {
    const int chosen = combo->currentIndex();
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(chosen);
}

} // namespace

void Form1::mIta_Click() {
    switchLanguage(true);
}
void Form1::mEng_Click() {
    switchLanguage(false);
}

void Form1::switchLanguage(bool italian) {
    toolkit_.putSetting(QStringLiteral("option"), QStringLiteral("language"),
                        italian ? QStringLiteral("ita") : QStringLiteral("eng"));
    texts_.load(italian);
    for (const Caption& caption : kCaptions) {
        const TextPair text = caption.word == Word::Count ? caption.text : kWords[std::size_t(caption.word)];
        controls_.setCaption(caption, Pick(text, italian));
    }
    for (QLabel* label : findChildren<QLabel*>()) { // a list reads its name from its label only this way
        if (label->buddy() != nullptr)
            label->buddy()->setAccessibleName(label->text());
    }
    for (const Hint& hint : kHints)
        qobject_cast<QWidget*>(controls_.named.value(ToQString(hint.control)))
            ->setToolTip(Pick(hint.text, italian));

    for (int tab = 0; tab < kTabCount; ++tab) {
        if (CountFollowsLanguage(tab))
            controls_.countLabels[tab]->setText(
                CountCaption(tab, TabRows(tab, model(), texts_).size(), texts_));
    }

    for (int tab = kTabCount - 1; tab >= 0; --tab) {
        controls_.grids[tab]->setHeadings(GridHeadings(tab, texts_));
        controls_.grids[tab]->setAccessibleName(
            controls_.STab->tabText(tab)); // each grid is named after its tab
    }

    ReplaceItems(controls_.Cbus, BusItems(italian));
    ReplaceItems(controls_.Cmont, {texts_[Word::privateRiserText], texts_[Word::localRiserText]});
    status_->followLanguage(texts_);
    qtTexts_.use(italian);
    controls_.get<QAction>(italian ? "mIta" : "mEng")->setChecked(true);
    UiLanguage = italian;
    for (int tab = 0; tab < kTabCount; ++tab)
        editor(tab).showWhy();
    historyView_->showInMenu();
    findBar_->setItalian(italian);
    showFileInTitle();
}

} // namespace velto
