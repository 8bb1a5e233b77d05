#pragma once

#include "AddressedSlotEditor.h"

namespace velto {

// Tab 4: F420 scenarios by number 1..16, each with a name, an address below 99 and a bus.
// Fields: TnameS, CnumS, Cbus (0 private, k = local bus k), TindS.
class ScenarioEditor final : public AddressedSlotEditor<ScenarioRecord> {
    Q_OBJECT
public:
    ScenarioEditor(EditorHost& host, EditorRoles roles, Fields fields);

protected:
    // The rule lets Confirm be pressed with an empty address; Confirm then stores nothing.
    bool confirmable(Why fault) const override { return fault == Why::None || fault == Why::Address; }
    Why addressFault(long long value) const override;
    std::optional<int> freeAddress() const override;
    std::string storedAddress(const std::string& typed, int bus) const override;
    std::pair<QString, int> shownAddress(int row) const override;
    bool readyToStore() const override;
    TextPair duplicateMessage() const override {
        return {"Scenario già inserito", "Scenario already inserted"};
    }
    QString deleteQuestion(int row) const override;
};

} // namespace velto
