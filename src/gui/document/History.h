#pragma once

#include "ChangeNote.h"
#include "ConfigModel.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

namespace velto {

// Undo and redo over the tables: every committed change is one step of a bounded history, holding only
// the slots that differ from the tables as the step before left them.
class History final : public QObject {
    Q_OBJECT
public:
    // Steps kept; the oldest go first.
    static constexpr int kSteps = 500;

    explicit History(ConfigModel& tables, QObject* parent = nullptr);
    ~History() override;

    // The tables as they are now begin a fresh history, clean.
    void start();
    // The tables' change since the last step becomes a step named by note; false when nothing changed.
    bool commit(const ChangeNote& note);
    // Puts the tables back before the last step, or after the next one; false when there is none.
    bool undo();
    bool redo();
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    // Clean: the tables are as they were when the history began or was last marked clean.
    bool isClean() const { return stack_.isClean(); }
    void setClean() { stack_.setClean(); }
    // The name of the step undo or redo would take, in that language; empty when there is none.
    QString undoName(bool italian) const;
    QString redoName(bool italian) const;

signals:
    // An undo (after false) or a redo put the slots of the step back in the tables.
    void stepApplied(const ChangeNote& note, bool after);
    // The steps or the position among them changed.
    void changed();

private:
    class Step;
    QString nameAt(int index, bool italian) const;

    ConfigModel& tables_;
    std::unique_ptr<ConfigModel> last_; // the tables as the last step left them
    QUndoStack stack_;
};

} // namespace velto
