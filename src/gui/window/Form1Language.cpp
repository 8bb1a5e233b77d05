// The language switch: the setting, every caption, the words in force, the combo items.
#include "FindBar.h"
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"
#include "Hints.h"
#include "RecordEditor.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

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

void Form1::setCaption(const Caption& caption, const QString& text) {
    if (caption.tab >= 0) {
        STab->setTabText(caption.tab, text);
        return;
    }
    QObject* target = controls_.value(ToQString(caption.control));
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* image = qobject_cast<QToolButton*>(target)) {
        image->setText(text); // shown as its image only: the text names it to screen readers
        image->setToolTip(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(target))
        frame->setTitle(text);
}

void Form1::switchLanguage(bool italian) {
    toolkit_.putSetting(QStringLiteral("option"), QStringLiteral("language"),
                        italian ? QStringLiteral("ita") : QStringLiteral("eng"));
    texts_.load(italian);
    for (const Caption& caption : kCaptions) {
        const TextPair text = caption.word == Word::Count ? caption.text : kWords[std::size_t(caption.word)];
        setCaption(caption, ToQString(text.pick(italian)));
    }
    for (QLabel* label : findChildren<QLabel*>()) { // a list reads its name from its label only this way
        if (label->buddy() != nullptr)
            label->buddy()->setAccessibleName(label->text());
    }
    for (const Hint& hint : kHints)
        qobject_cast<QWidget*>(controls_.value(ToQString(hint.control)))
            ->setToolTip(ToQString(hint.text.pick(italian)));

    for (int tab = 0; tab < kTabCount; ++tab) {
        if (CountFollowsLanguage(tab))
            countLabels_[tab]->setText(CountCaption(tab, TabRows(tab, model(), texts_).size(), texts_));
    }

    for (int tab = kTabCount - 1; tab >= 0; --tab) {
        grids_[tab]->setHeadings(GridHeadings(tab, texts_));
        grids_[tab]->setAccessibleName(STab->tabText(tab)); // each grid is named after its tab
    }

    ReplaceItems(Cbus, BusItems(italian));
    ReplaceItems(Cmont, {texts_[Word::privateRiserText], texts_[Word::localRiserText]});
    if (newFileShown_)
        showNewFileStatus();
    qtTexts_.use(italian);
    control<QAction>(italian ? "mIta" : "mEng")->setChecked(true);
    UiLanguage = italian;
    for (int tab = 0; tab < kTabCount; ++tab)
        editor(tab).showWhy();
    showHistoryInMenu();
    findBar_->setItalian(italian);
    showFileInTitle();
}

} // namespace velto
