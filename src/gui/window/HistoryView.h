#pragma once

#include "ChangeNote.h"

#include <QObject>
#include <functional>

namespace velto {

class Document;
struct TabEditors;
struct WindowControls;

// The history as the window shows it: the Edit menu names the step Undo and Redo would take, in the
// language in force, and after an undo or redo the views show the tab and record where it happened.
class HistoryView final : public QObject {
public:
    HistoryView(Document& document, const WindowControls& controls, const TabEditors& editors,
                std::function<void()> refreshAllViews, std::function<bool()> italian);

    void showInMenu();
    // Shows the tab of a record and selects it, when it is there, or its group's or auxiliary's slot.
    void showRecord(Subject subject, int key);

private:
    void showStep(const ChangeNote& note, bool after);

    Document& document_;
    const WindowControls& controls_;
    const TabEditors& editors_;
    std::function<void()> refreshAllViews_;
    std::function<bool()> italian_;
};

} // namespace velto
