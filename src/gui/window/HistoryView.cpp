#include "HistoryView.h"

#include "Document.h"
#include "GridView.h"
#include "NumberText.h"
#include "TabEditors.h"
#include "WindowControls.h"
#include "WindowTexts.h"

#include <QAction>
#include <QTabWidget>

namespace velto {
namespace {

constexpr TextPair kUndo{"Annulla", "Undo"};
constexpr TextPair kRedo{"Ripeti", "Redo"};

} // namespace

HistoryView::HistoryView(Document& document, const WindowControls& controls, const TabEditors& editors,
                         std::function<void()> refreshAllViews, std::function<bool()> italian)
    : document_(document), controls_(controls), editors_(editors),
      refreshAllViews_(std::move(refreshAllViews)), italian_(std::move(italian)) {
    connect(&document_, &Document::stepApplied, this, &HistoryView::showStep);
    connect(&document_.history(), &History::changed, this, &HistoryView::showInMenu);
}

void HistoryView::showStep(const ChangeNote& note, bool after) {
    refreshAllViews_();
    showRecord(note.subject, after ? note.keyAfter : note.keyBefore);
}

void HistoryView::showRecord(Subject subject, int key) {
    const int tab = TabOf(subject);
    controls_.STab->setCurrentIndex(tab);
    if (subject == Subject::Group || subject == Subject::Auxiliary)
        return (subject == Subject::Group ? editors_.groups : editors_.auxiliaries)->showSlot(key);
    GridView& grid = *controls_.grids[tab];
    const int keyColumn = editors_.at(tab).roles().keyColumn;
    for (int row = 1; key > 0 && row <= grid.dataRowCount(); ++row) {
        if (LeadingNumber(grid.cell(row, keyColumn).toStdString()) == key)
            return grid.setCurrentDataRow(row);
    }
}

void HistoryView::showInMenu() {
    const History& history = document_.history();
    const bool italian = italian_();
    const auto show = [this](const char* name, bool possible, const QString& step, const QString& word) {
        auto* action = controls_.get<QAction>(name);
        action->setText(possible ? word + ' ' + QString(step).replace('&', QStringLiteral("&&")) : word);
        action->setEnabled(possible);
    };
    show("mUndo", history.canUndo(), history.undoName(italian), Pick(kUndo, italian));
    show("mRedo", history.canRedo(), history.redoName(italian), Pick(kRedo, italian));
}

} // namespace velto
