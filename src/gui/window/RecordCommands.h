#pragma once

#include "ChangeNote.h"
#include "Words.h"

#include <QList>
#include <vector>

class QWidget;

namespace velto {

class EditorHost;
class Toolkit;
struct BatchOutcome;
struct RowNote;
struct TabEditors;
struct WindowControls;

// Many records of the tab shown at once: Edit > Select all, Copy, Cut, Paste, Duplicate and Change
// selected, and Delete with more than one row selected. Each change is one step of the history. Copy,
// Cut, Duplicate and Change selected are enabled while the grid shown has records selected (Change
// selected on the tabs whose records it changes).
class RecordCommands {
public:
    RecordCommands(const WindowControls& controls, const TabEditors& editors, EditorHost& host,
                   Toolkit& toolkit, QWidget* owner);

    void selectAll();
    void copy();
    void cut();
    void paste();
    void duplicate();
    void changeSelected();
    // Deletes the records of a tab's grid rows after one question naming them.
    void deleteRecords(int tab, const QList<int>& rows);
    void updateCommands();

private:
    // The key of the record in a row of a tab's grid.
    int keyAt(int tab, int row) const;
    // The keys of the records selected in a tab's grid, in grid order.
    QList<int> selectedKeys(int tab) const;
    bool browsingShownTab() const;
    // The keys of the records selected in the grid shown, none while its editor is open.
    std::vector<int> keysToChange() const;
    // Selects the rows of a tab's records at the keys.
    void showRecords(int tab, const std::vector<int>& keys);
    // The records changed in the tables become one step, those at the keys shown selected.
    void commitRecords(int tab, const ChangeNote& note, const std::vector<int>& keys);
    // Records pasted or duplicated, or the reasons they were refused.
    void addRecords(int tab, const TextPair& many, const TextPair& refusal, const BatchOutcome& added);
    void showRefused(const TextPair& heading, const std::vector<RowNote>& refused);

    const WindowControls& controls_;
    const TabEditors& editors_;
    EditorHost& host_;
    Toolkit& toolkit_;
    QWidget* owner_;
};

} // namespace velto
