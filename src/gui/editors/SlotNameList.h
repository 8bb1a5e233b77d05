#pragma once

#include "EditorHost.h"

#include <QObject>
#include <functional>
#include <span>
#include <string>

class QListWidget;
class QLineEdit;
class QAbstractButton;

namespace velto {

// A list of nine named slots on tab 0 (groups, auxiliaries): select an item, type a name and press
// Enter to name the slot; the delete image (clicked, or focused and Space or Delete) frees it. Items are
// changed in place.
//
// A name typed and not yet stored is stored as Enter would when the user moves on: the focus leaves
// the box (but not to another window or a menu, which give it back), or a command is about to act on
// the configuration (keepTypedName). Escape puts back the name the slot has.
class SlotNameList : public QObject {
    Q_OBJECT
public:
    struct Kind {
        Subject subject;
        std::span<std::string> table; // slots 1..9
        bool selectingMarksChanged;   // a click on a group marks the configuration changed
        bool deleteWithoutSelectionMarksChanged;
        std::function<void()> afterChange; // groups refill the device editor's group list
    };
    SlotNameList(EditorHost& host, QListWidget* list, QLineEdit* nameBox, QAbstractButton* deleteImage,
                 Kind kind);

    // Lgru_Click / Laux_Click
    void SelectSlot();
    // Tngru_KeyPress / TnameA_KeyPress with Enter
    void NameSlot();
    // DeleteGroup / DeleteAux
    void DeleteSlot();
    // Selects a slot and shows its name, as a change undone or redone shows it; marks nothing changed.
    void showSlot(int slot);
    // Stores a name typed for the selected slot, as Enter would, when it differs from the slot's.
    void keepTypedName();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedIndex() const;

    EditorHost& host_;
    QListWidget* list_;
    QLineEdit* nameBox_;
    QAbstractButton* deleteImage_;
    Kind kind_;
};

} // namespace velto
