#include "NamedSlotEditor.h"

#include "GridView.h"
#include "NumberText.h"

namespace velto {

NamedSlotEditor::NamedSlotEditor(EditorHost& host, EditorRoles roles, Fields fields, Kind kind)
    : RecordEditor(host, std::move(roles)), fields_(fields), kind_(kind) {}

bool NamedSlotEditor::readyToStore() const {
    return fault() == Why::None;
}

QString NamedSlotEditor::loadRow(int row) {
    SetWholeText(fields_.name, roles_.grid->cell(row, 0));
    const QString key = roles_.grid->cell(row, 1);
    ChooseComboKey(fields_.key, int(LeadingNumber(key.toStdString())));
    return key;
}

void NamedSlotEditor::freeSlot(int key) {
    FreeSlotOf(kind_.table, key);
}

QString NamedSlotEditor::deleteQuestion(int row) const {
    return nameAndKeyQuestion(kind_.askDelete, kind_.keyWord, row);
}

} // namespace velto
