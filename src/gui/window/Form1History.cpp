// Edit > Undo and Redo: the document's history, each command first cancelling any edit in progress;
// the window shows where each step happened and names the steps in the Edit menu.
#include "Form1.h"
#include "GridView.h"
#include "NumberText.h"
#include "RecordEditor.h"
#include "SlotNameList.h"

#include <QAction>
#include <QTabWidget>

namespace velto {

void Form1::mUndo_Click() {
    if (!document_->history().canUndo())
        return;
    CancelAllEditors();
    document_->undo();
}

void Form1::mRedo_Click() {
    if (!document_->history().canRedo())
        return;
    CancelAllEditors();
    document_->redo();
}

void Form1::showStep(const ChangeNote& note, bool after) {
    RefreshAllViews();
    showRecord(note.subject, after ? note.keyAfter : note.keyBefore);
}

void Form1::showRecord(Subject subject, int key) {
    const int tab = TabOf(subject);
    STab->setCurrentIndex(tab);
    if (subject == Subject::Group || subject == Subject::Auxiliary)
        return (subject == Subject::Group ? groups_ : auxiliaries_)->showSlot(key);
    GridView& grid = *grids_[tab];
    const int keyColumn = editor(tab).roles().keyColumn;
    for (int row = 1; key > 0 && row <= grid.dataRowCount(); ++row) {
        if (LeadingNumber(grid.cell(row, keyColumn).toStdString()) == key)
            return grid.setCurrentDataRow(row);
    }
}

void Form1::showHistoryInMenu() {
    const History& history = document_->history();
    const auto show = [this](const char* name, bool possible, const QString& step, const QString& word) {
        auto* action = control<QAction>(name);
        action->setText(possible ? word + ' ' + QString(step).replace('&', QStringLiteral("&&")) : word);
        action->setEnabled(possible);
    };
    show("mUndo", history.canUndo(), history.undoName(UiLanguage),
         UiLanguage ? QStringLiteral("Annulla") : QStringLiteral("Undo"));
    show("mRedo", history.canRedo(), history.redoName(UiLanguage),
         UiLanguage ? QStringLiteral("Ripeti") : QStringLiteral("Redo"));
}

} // namespace velto
