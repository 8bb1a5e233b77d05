#include "History.h"

#include "ModelChanges.h"

namespace velto {

class History::Step final : public QUndoCommand {
public:
    Step(History& history, ChangeNote note, std::vector<SlotChange> changes)
        : history_(history), note_(std::move(note)), changes_(std::move(changes)) {}

    void undo() override { put(false); }
    // Pushing a step redoes it: the change is already in the tables then.
    void redo() override {
        if (pushed_)
            put(true);
        pushed_ = true;
    }
    QString name(bool italian) const { return italian ? note_.italian : note_.english; }

private:
    void put(bool after) {
        PutSlots(history_.tables_, changes_, after);
        PutSlots(*history_.last_, changes_, after);
        emit history_.stepApplied(note_, after);
    }

    History& history_;
    const ChangeNote note_;
    const std::vector<SlotChange> changes_;
    bool pushed_ = false;
};

History::History(ConfigModel& tables, QObject* parent)
    : QObject(parent), tables_(tables), last_(std::make_unique<ConfigModel>()) {
    stack_.setUndoLimit(kSteps);
    connect(&stack_, &QUndoStack::indexChanged, this, &History::changed);
    connect(&stack_, &QUndoStack::cleanChanged, this, &History::changed);
}

History::~History() {
    stack_.disconnect(this);
}

void History::start() {
    *last_ = tables_;
    stack_.clear();
    emit changed();
}

bool History::commit(const ChangeNote& note) {
    std::vector<SlotChange> changes = ChangedSlots(*last_, tables_);
    if (changes.empty())
        return false;
    PutSlots(*last_, changes, true);
    stack_.push(new Step(*this, note, std::move(changes)));
    return true;
}

bool History::undo() {
    if (!stack_.canUndo())
        return false;
    stack_.undo();
    return true;
}

bool History::redo() {
    if (!stack_.canRedo())
        return false;
    stack_.redo();
    return true;
}

QString History::nameAt(int index, bool italian) const {
    const auto* step = static_cast<const Step*>(stack_.command(index));
    return step ? step->name(italian) : QString();
}

QString History::undoName(bool italian) const {
    return canUndo() ? nameAt(stack_.index() - 1, italian) : QString();
}

QString History::redoName(bool italian) const {
    return canRedo() ? nameAt(stack_.index(), italian) : QString();
}

} // namespace velto
