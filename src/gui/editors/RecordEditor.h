#pragma once

#include "EditorHost.h"
#include "EditorRoles.h"
#include "WhyTexts.h"

#include <QObject>

namespace velto {

enum class EditMode { Browsing, Adding, Modifying };

// The editing pattern every tab follows: New, Modify, Cancel, Confirm and Delete, written once.
// An editor adds its fields' rule, how a grid row loads, how its record is stored and freed, and its
// messages.
class RecordEditor : public QObject {
    Q_OBJECT
public:
    RecordEditor(EditorHost& host, EditorRoles roles);

    void New();
    void Modify();
    void Cancel();
    void Confirm();
    void Delete();
    // Modify acts on exactly one selected record; Delete on every one selected.
    void UpdateRowButtons();
    // The selected rows that hold a record, in ascending order; the one of them, or 0 when not one.
    QList<int> selectedRecordRows() const;
    int selectedRecordRow() const;
    // Runs the editor's confirm rule, then says beside Confirm what stands in the way of storing.
    void UpdateConfirmEnabled();
    // The line beside Confirm, in the language in force: why the record cannot be stored as the fields
    // stand, or whose its key already is; nothing while browsing.
    void showWhy();

    bool AddingNew() const { return addingNew_; }
    int EditRow() const { return editRow_; }
    void ResetEditRow() { editRow_ = 0; }
    EditMode mode() const;
    const EditorRoles& roles() const { return roles_; }

protected:
    // The first thing the fields after the name lack or hold wrong, in their order; Why::None when the
    // record is whole.
    virtual Why fieldsFault() const = 0;
    // Whether the confirm rule enables Confirm with that fault: only without one, unless a tab says so.
    virtual bool confirmable(Why fault) const { return fault == Why::None; }
    // New: fills the fields with what the editor proposes for a new record.
    virtual void propose() {}
    // The name of the record in a slot in use.
    virtual QString nameAt(int key) const = 0;
    // Fills the fields from a grid row and returns the key as loaded.
    virtual QString loadRow(int row) = 0;
    // Confirm's silent first check: the input is complete enough to store.
    virtual bool readyToStore() const = 0;
    virtual int keyInEditor() const = 0;
    virtual bool slotTaken(int key) const = 0;
    virtual void store(int key) = 0;
    virtual void freeSlot(int key) = 0;
    virtual void afterStore() {}
    // The warning shown when the key is taken: (Italian, English).
    virtual TextPair duplicateMessage() const = 0;
    virtual QString deleteQuestion(int row) const = 0;

    int rowKey(int row) const;
    // The question text: the ask word, the values, and "?".
    QString question(Word ask, const QStringList& values) const;
    // The question that names the record, then the key's word and the key: "... Evening number 3?".
    QString nameAndKeyQuestion(Word ask, Word keyWord, int row) const;

    EditorHost& host_;
    const EditorRoles roles_;

    // The first fault of the record in the fields, the name's first.
    Why fault() const;

private:
    void setEditing(bool editing);
    // A Modify confirmed under the key it loaded.
    bool isOwnKey(int key) const;

    bool addingNew_ = false;
    int editRow_ = 0;
    QString loadedKey_;
};

template <typename Table> void FreeSlotOf(Table& table, int key) {
    if (key >= 0 && std::size_t(key) < table.size())
        table[key] = {};
}

// The key chosen in a combo whose item p stands for key p + 1; 0 when nothing is chosen.
int ComboKey(const QComboBox* combo);
// Chooses the combo item of a key (no choice when the key is not in the list).
void ChooseComboKey(QComboBox* combo, int key);

} // namespace velto
