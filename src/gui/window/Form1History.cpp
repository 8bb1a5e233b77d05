// Undo and redo: every committed change to the tables is one step of a bounded history, whose clean
// state is the unsaved mark.
//
// Code that changes the tables outside the editors makes its change one step the same way the editors
// do: change the tables, RefreshAllViews(), then commitChange() with a note that names the change in
// both languages and tells where it shows (the subject, and the record's key before and after, 0 for
// none). The step holds only the slots that differ from the tables as the previous step left them.
#include "Form1.h"
#include "GridView.h"
#include "ModelChanges.h"
#include "NumberText.h"
#include "Process.h"
#include "RecordEditor.h"
#include "RecoveryFile.h"
#include "SlotNameList.h"

#include <QAction>
#include <QDateTime>
#include <QTabWidget>
#include <QUndoStack>
#include <functional>

namespace velto {
namespace {

// Steps kept; the oldest go first.
constexpr int kHistorySteps = 500;

class TableStep final : public QUndoCommand {
public:
    using Apply = std::function<void(const ChangeNote&, const std::vector<SlotChange>&, bool after)>;
    TableStep(ChangeNote note, std::vector<SlotChange> changes, Apply apply)
        : note_(std::move(note)), changes_(std::move(changes)), apply_(std::move(apply)) {}

    void undo() override { apply_(note_, changes_, false); }
    // Pushing a step redoes it: the change is already in the tables then.
    void redo() override {
        if (pushed_)
            apply_(note_, changes_, true);
        pushed_ = true;
    }
    QString name(bool italian) const { return italian ? note_.italian : note_.english; }

private:
    const ChangeNote note_;
    const std::vector<SlotChange> changes_;
    const Apply apply_;
    bool pushed_ = false;
};

} // namespace

void Form1::setUpHistory() {
    history_ = new QUndoStack(this);
    history_->setUndoLimit(kHistorySteps);
    historyTables_ = std::make_unique<ConfigModel>();
    recovery_ = std::make_unique<RecoveryFile>(RecoveryFolder(), CurrentProcessId(),
                                               QDateTime::currentMSecsSinceEpoch());
    control<QAction>("mRedo")->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(history_, &QUndoStack::indexChanged, this, &Form1::showHistoryInMenu);
}

void Form1::startHistory() {
    *historyTables_ = model_;
    history_->clear();
    showHistoryInMenu();
    removeRecovery();
}

void Form1::markSaved() {
    history_->setClean();
    removeRecovery();
}

void Form1::commitChange(const ChangeNote& note) {
    setDirty(true); // every committed change marks the configuration changed, one that changed nothing too
    std::vector<SlotChange> changes = ChangedSlots(*historyTables_, model_);
    if (changes.empty())
        return;
    PutSlots(*historyTables_, changes, true);
    history_->push(new TableStep(note, std::move(changes),
                                 [this](const ChangeNote& n, const std::vector<SlotChange>& c, bool after) {
                                     applyStep(n, c, after);
                                 }));
    writeRecovery();
}

void Form1::mUndo_Click() {
    moveInHistory(true);
}

void Form1::mRedo_Click() {
    moveInHistory(false);
}

void Form1::moveInHistory(bool back) {
    if (!(back ? history_->canUndo() : history_->canRedo()))
        return;
    CancelAllEditors();
    back ? history_->undo() : history_->redo();
    setDirty(!history_->isClean());
    writeRecovery();
}

void Form1::applyStep(const ChangeNote& note, const std::vector<SlotChange>& changes, bool after) {
    PutSlots(model_, changes, after);
    PutSlots(*historyTables_, changes, after);
    RefreshAllViews();
    const int tab = TabOf(note.subject), key = after ? note.keyAfter : note.keyBefore;
    STab->setCurrentIndex(tab);
    if (note.subject == Subject::Group || note.subject == Subject::Auxiliary)
        return (note.subject == Subject::Group ? groups_ : auxiliaries_)->showSlot(key);
    GridView& grid = *grids_[tab];
    const int keyColumn = editor(tab).roles().keyColumn;
    for (int row = 1; key > 0 && row <= grid.dataRowCount(); ++row) {
        if (LeadingNumber(grid.cell(row, keyColumn).toStdString()) == key)
            return grid.setCurrentDataRow(row);
    }
}

void Form1::showHistoryInMenu() {
    const auto show = [this](const char* name, bool possible, int step, const QString& word) {
        auto* action = control<QAction>(name);
        const auto* command = possible ? static_cast<const TableStep*>(history_->command(step)) : nullptr;
        action->setText(command ? word + ' ' + command->name(UiLanguage).replace('&', QStringLiteral("&&"))
                                : word);
        action->setEnabled(possible);
    };
    show("mUndo", history_->canUndo(), history_->index() - 1,
         UiLanguage ? QStringLiteral("Annulla") : QStringLiteral("Undo"));
    show("mRedo", history_->canRedo(), history_->index(),
         UiLanguage ? QStringLiteral("Ripeti") : QStringLiteral("Redo"));
}

} // namespace velto
