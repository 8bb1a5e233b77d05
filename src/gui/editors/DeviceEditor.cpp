#include "DeviceEditor.h"

#include "FreeAddresses.h"
#include "GridView.h"
#include "InputFilters.h"
#include "NumberText.h"
#include "RecordRules.h"

namespace velto {

DeviceEditor::DeviceEditor(EditorHost& host, EditorRoles roles, Fields fields)
    : RecordEditor(host, std::move(roles)), fields_(fields) {
    AcceptDigitsOnly(fields_.address, kDeviceAddressDigits);
}

Why DeviceEditor::fieldsFault() const {
    if (fields_.type->currentIndex() < 0)
        return Why::Type;
    switch (DeviceAddressFaultOf(fields_.address->text().toStdString())) {
    case DeviceAddressFault::Missing:
        return Why::Address;
    case DeviceAddressFault::Zero:
        return Why::AddressZero;
    case DeviceAddressFault::EndsInZero:
        return Why::AddressEndsInZero;
    case DeviceAddressFault::None:
        break;
    }
    return Why::None;
}

void DeviceEditor::propose() {
    if (const std::optional<int> address = FirstFreeDeviceAddress(host_.model()))
        fields_.address->setText(QString::number(*address));
}

QString DeviceEditor::nameAt(int key) const {
    return QString::fromStdString(host_.model().DeviceTable[key].name);
}

QString DeviceEditor::loadRow(int row) {
    SetWholeText(fields_.name, roles_.grid->cell(row, 0));
    const int group = int(LeadingNumber(roles_.grid->cell(row, 1).toStdString()));
    if (group > 0)
        fields_.group->setCurrentIndex(group - 1);
    fields_.type->setCurrentIndex(fields_.type->findText(roles_.grid->cell(row, 2), Qt::MatchExactly));
    fields_.address->setText(roles_.grid->cell(row, 3));
    return fields_.address->text();
}

bool DeviceEditor::readyToStore() const {
    return fault() == Why::None;
}

int DeviceEditor::keyInEditor() const {
    return int(LeadingDigitsValue(fields_.address->text().toStdString()));
}

bool DeviceEditor::slotTaken(int key) const {
    return InUse(host_.model().DeviceTable[key]);
}

void DeviceEditor::store(int key) {
    DeviceRecord& device = host_.model().DeviceTable[key];
    device.typeCode = kDeviceTypes[fields_.type->currentIndex()].code;
    device.name = WholeText(fields_.name).toStdString();
    device.group = std::uint8_t(fields_.group->currentIndex() + 1);
    device.inUse = 1;
}

void DeviceEditor::freeSlot(int key) {
    if (key >= 0 && key < kDeviceSlots)
        FreeDeviceSlot(host_.model().DeviceTable[key]);
}

void DeviceEditor::afterStore() {
    RenumberDevices(host_.model());
}

TextPair DeviceEditor::duplicateMessage() const {
    return {"Indirizzo già presente", "Address already inserted"};
}

QString DeviceEditor::deleteQuestion(int row) const {
    return question(Word::askDeleteDevice, {roles_.grid->cell(row, 3), roles_.grid->cell(row, 0)});
}

} // namespace velto
