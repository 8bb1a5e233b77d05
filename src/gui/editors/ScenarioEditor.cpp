#include "ScenarioEditor.h"

#include "FreeAddresses.h"
#include "RecordRules.h"

namespace velto {

ScenarioEditor::ScenarioEditor(EditorHost& host, EditorRoles roles, Fields fields)
    : AddressedSlotEditor(host, std::move(roles), fields, host.model().ScenarioTable,
                          kScenarioAddressDigits) {}

Why ScenarioEditor::addressFault(long long value) const {
    return IsScenarioAddressValue(value) ? Why::None : Why::ScenarioAddressRange;
}

std::optional<int> ScenarioEditor::freeAddress() const {
    return FirstFreeScenarioAddress(host_.model());
}

// The grid shows the address as stored. One that holds "#" without a well-formed bus suffix can only
// come from a file: it loads as the private bus with the text before its first "#".
std::pair<QString, int> ScenarioEditor::shownAddress(int row) const {
    const QString stored = roles_.grid->cell(row, 1);
    const int bus = ScenarioBus(stored.toStdString());
    return {bus > 0 ? stored.chopped(4) : stored.section('#', 0, 0), bus};
}

bool ScenarioEditor::readyToStore() const {
    return !fields_.address->text().isEmpty() && !fields_.name->text().isEmpty() &&
           fields_.number->currentIndex() >= 0 && fields_.riserOrBus->currentIndex() >= 0;
}

std::string ScenarioEditor::storedAddress(const std::string& typed, int bus) const {
    return StoredScenarioAddress(typed, bus);
}

QString ScenarioEditor::deleteQuestion(int row) const {
    return nameAndKeyQuestion(Word::askDeleteScenario, Word::numberWord, row);
}

} // namespace velto
