#pragma once

#include "InputFilters.h"
#include "RecordEditor.h"

#include <span>
#include <string>

namespace velto {

// Tabs 1 and 2: a name kept in the slot of a key chosen from a list (loads by priority 1..16,
// thermo probes by zone 1..99). The two differ only in data.
class NamedSlotEditor final : public RecordEditor {
    Q_OBJECT
public:
    struct Kind {
        std::span<std::string> table; // slot = key; "" = free
        Word askDelete;               // the delete question's opening words
        Word keyWord;                 // "priorità" / "zona" in the delete question
        TextPair duplicate;
        Why keyMissing; // no priority or zone chosen
    };
    struct Fields {
        QLineEdit* name;
        QComboBox* key;
    };
    NamedSlotEditor(EditorHost& host, EditorRoles roles, Fields fields, Kind kind);

protected:
    Why fieldsFault() const override {
        return fields_.key->currentIndex() < 0 ? kind_.keyMissing : Why::None;
    }
    QString nameAt(int key) const override { return QString::fromStdString(kind_.table[key]); }
    QString loadRow(int row) override;
    bool readyToStore() const override;
    int keyInEditor() const override { return ComboKey(fields_.key); }
    bool slotTaken(int key) const override { return InUse(kind_.table[key]); }
    void store(int key) override { kind_.table[key] = WholeText(fields_.name).toStdString(); }
    void freeSlot(int key) override;
    TextPair duplicateMessage() const override { return kind_.duplicate; }
    QString deleteQuestion(int row) const override;

private:
    const Fields fields_;
    const Kind kind_;
};

} // namespace velto
