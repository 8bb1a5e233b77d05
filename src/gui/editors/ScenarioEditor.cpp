#include "ScenarioEditor.h"

#include "GridView.h"
#include "InputFilters.h"
#include "NumberText.h"

namespace velto {
namespace {

constexpr int kAddressLimit = 99; // addresses run from 0 to 98

} // namespace

ScenarioEditor::ScenarioEditor(EditorHost& host, EditorRoles roles, Fields fields)
    : RecordEditor(host, std::move(roles)), fields_(fields) {
    AcceptDigitsOnly(fields_.address, 2);
}

void ScenarioEditor::UpdateConfirmEnabled() {
    roles_.confirmButton->setEnabled(!fields_.name->text().isEmpty() && fields_.bus->currentIndex() >= 0 &&
                                     fields_.number->currentIndex() >= 0 &&
                                     LeadingDigitsValue(fields_.address->text().toStdString()) <
                                         kAddressLimit);
}

QString ScenarioEditor::loadRow(int row) {
    fields_.name->setText(roles_.grid->cell(row, 0));
    const QString number = roles_.grid->cell(row, 2);
    ChooseComboKey(fields_.number, int(LeadingNumber(number.toStdString())));
    const QString stored = roles_.grid->cell(row, 1);
    const int bus = ScenarioBus(stored.toStdString());
    fields_.bus->setCurrentIndex(bus);
    // An address that holds "#" without a well-formed bus suffix can only come from a file: it loads
    // as the private bus with the text before its first "#".
    SetWholeText(fields_.address, bus > 0 ? stored.chopped(4) : stored.section('#', 0, 0));
    return number;
}

bool ScenarioEditor::readyToStore() const {
    return !fields_.address->text().isEmpty() && !fields_.name->text().isEmpty() &&
           fields_.number->currentIndex() >= 0 && fields_.bus->currentIndex() >= 0;
}

bool ScenarioEditor::slotTaken(int key) const {
    return InUse(host_.model().ScenarioTable[key]);
}

void ScenarioEditor::store(int key) {
    ScenarioRecord& scenario = host_.model().ScenarioTable[key];
    scenario.name = fields_.name->text().toStdString();
    scenario.address = fields_.address->text().toStdString();
    if (const int bus = fields_.bus->currentIndex(); bus > 0)
        scenario.address += kLocalBusMark + std::to_string(bus);
}

void ScenarioEditor::freeSlot(int key) {
    FreeSlotOf(host_.model().ScenarioTable, key);
}

QString ScenarioEditor::deleteQuestion(int row) const {
    return nameAndKeyQuestion(Word::askDeleteScenario, Word::numberWord, row);
}

} // namespace velto
