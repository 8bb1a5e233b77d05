#pragma once

#include "RecordEditor.h"

namespace velto {

// Tab 3: cameras by number 1..12, each with a name, an address 4000..5000 and a riser kind.
class CameraEditor final : public RecordEditor {
    Q_OBJECT
public:
    struct Fields {
        QLineEdit* name;    // TnameW
        QComboBox* number;  // Cnum
        QComboBox* riser;   // Cmont
        QLineEdit* address; // TindW
    };
    CameraEditor(EditorHost& host, EditorRoles roles, Fields fields);

    void UpdateConfirmEnabled() override;
    // TindW_Validate: an address out of range is refused when the user moves on from the box.
    void ValidateAddress();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString loadRow(int row) override;
    bool readyToStore() const override;
    int keyInEditor() const override { return ComboKey(fields_.number); }
    bool slotTaken(int key) const override;
    void store(int key) override;
    void freeSlot(int key) override;
    TextPair duplicateMessage() const override { return {"Camera già inserita", "Camera already inserted"}; }
    QString deleteQuestion(int row) const override;

private:
    const Fields fields_;
};

} // namespace velto
