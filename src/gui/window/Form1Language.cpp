// The language switch: the setting, every caption, the words in force, the combo items.
#include "Form1.h"
#include "GridRows.h"
#include "GridView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
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

void Form1::setCaption(std::string_view control, const QString& text) {
    const QString name = ToQString(control);
    if (name.startsWith(QStringLiteral("STab("))) {
        STab->setTabText(name.mid(5).chopped(1).toInt(), text);
        return;
    }
    QObject* target = controls_.value(name);
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
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
        setCaption(caption.control, ToQString(text.pick(italian)));
    }

    const std::array<std::pair<int, Word>, 4> counted{{{0, Word::deviceCountWord},
                                                       {1, Word::loadCountWord},
                                                       {2, Word::probeCountWord},
                                                       {4, Word::scenarioCountWord}}};
    for (const auto& [tab, word] : counted) {
        QLabel* label = countLabels_[tab];
        label->setText(label->text().left(2).trimmed() + ' ' + texts_[word]);
    }

    for (int tab = kTabCount - 1; tab >= 0; --tab)
        grids_[tab]->setHeadings(GridHeadings(tab, texts_));

    ReplaceItems(Cbus, BusItems(italian));
    ReplaceItems(Cmont, {texts_[Word::privateRiserText], texts_[Word::localRiserText]});
    UiLanguage = italian;
}

} // namespace velto
