#pragma once

#include "RecordEditor.h"

namespace velto {

// Tab 0: devices by address 1..99, each with a name, a type and an optional group.
class DeviceEditor final : public RecordEditor {
    Q_OBJECT
public:
    struct Fields {
        QLineEdit* name;    // Tname
        QComboBox* group;   // Cgru
        QComboBox* type;    // Ctipo
        QLineEdit* address; // Tind
    };
    DeviceEditor(EditorHost& host, EditorRoles roles, Fields fields);

protected:
    // What UpdateDeviceConfirmEnabled finds wanting after the name: the type, then the address.
    Why fieldsFault() const override;
    void propose() override;
    QString nameAt(int key) const override;
    QString loadRow(int row) override;
    bool readyToStore() const override;
    int keyInEditor() const override;
    bool slotTaken(int key) const override;
    void store(int key) override;
    void freeSlot(int key) override;
    void afterStore() override;
    TextPair duplicateMessage() const override;
    QString deleteQuestion(int row) const override;

private:
    const Fields fields_;
};

} // namespace velto
