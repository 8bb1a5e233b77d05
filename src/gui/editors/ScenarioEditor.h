#pragma once

#include "RecordEditor.h"

namespace velto {

// Tab 4: F420 scenarios by number 1..16, each with a name, an address below 99 and a bus.
class ScenarioEditor final : public RecordEditor {
    Q_OBJECT
public:
    struct Fields {
        QLineEdit* name;    // TnameS
        QComboBox* number;  // CnumS
        QComboBox* bus;     // Cbus: 0 private, k = local bus k
        QLineEdit* address; // TindS
    };
    ScenarioEditor(EditorHost& host, EditorRoles roles, Fields fields);

    void UpdateConfirmEnabled() override;

protected:
    QString loadRow(int row) override;
    bool readyToStore() const override;
    int keyInEditor() const override { return ComboKey(fields_.number); }
    bool slotTaken(int key) const override;
    void store(int key) override;
    void freeSlot(int key) override;
    TextPair duplicateMessage() const override {
        return {"Scenario già inserito", "Scenario already inserted"};
    }
    QString deleteQuestion(int row) const override;

private:
    const Fields fields_;
};

} // namespace velto
