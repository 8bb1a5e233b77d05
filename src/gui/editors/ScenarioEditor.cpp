#include "ScenarioEditor.h"

namespace velto {
namespace {

constexpr int kAddressLimit = 99; // addresses run from 0 to 98

} // namespace

ScenarioEditor::ScenarioEditor(EditorHost& host, EditorRoles roles, Fields fields)
    : AddressedSlotEditor(host, std::move(roles), fields, host.model().ScenarioTable, 2) {}

void ScenarioEditor::UpdateConfirmEnabled() {
    roles_.confirmButton->setEnabled(
        !fields_.name->text().isEmpty() && fields_.riserOrBus->currentIndex() >= 0 &&
        fields_.number->currentIndex() >= 0 &&
        LeadingDigitsValue(fields_.address->text().toStdString()) < kAddressLimit);
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

std::string ScenarioEditor::suffix(int bus) const {
    return bus > 0 ? kLocalBusMark + std::to_string(bus) : "";
}

QString ScenarioEditor::deleteQuestion(int row) const {
    return nameAndKeyQuestion(Word::askDeleteScenario, Word::numberWord, row);
}

} // namespace velto
