#pragma once

#include "AddressedSlotEditor.h"

namespace velto {

// Tab 3: cameras by number 1..12, each with a name, an address 4000..5000 and a riser kind.
// Fields: TnameW, Cnum, Cmont, TindW.
class CameraEditor final : public AddressedSlotEditor<CameraRecord> {
    Q_OBJECT
public:
    CameraEditor(EditorHost& host, EditorRoles roles, Fields fields);
    // TindW_Validate: an address out of range is refused when the user moves on from the box.
    void ValidateAddress();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::string storedAddress(const std::string& typed, int riser) const override;
    std::pair<QString, int> shownAddress(int row) const override;
    Why addressFault(long long value) const override;
    std::optional<int> freeAddress() const override;
    bool readyToStore() const override;
    TextPair duplicateMessage() const override { return {"Camera già inserita", "Camera already inserted"}; }
    QString deleteQuestion(int row) const override;
};

} // namespace velto
