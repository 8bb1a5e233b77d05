#include "CameraEditor.h"

#include "FreeAddresses.h"
#include "RecordRules.h"

#include <QFocusEvent>

namespace velto {
namespace {

// The user moved on from the box to another control: by Tab, Shift+Tab or a click. A box, a menu or
// another window taking the focus is not moving on, nor is the box being disabled or put out of sight
// with its tab (the focus then passes on as if by Tab).
bool UserMovesOn(const QWidget* box, const QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    return (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason) &&
           box->isEnabled() && box->isVisible();
}

} // namespace

CameraEditor::CameraEditor(EditorHost& host, EditorRoles roles, Fields fields)
    : AddressedSlotEditor(host, std::move(roles), fields, host.model().CameraTable, kCameraAddressDigits) {
    fields_.address->installEventFilter(this);
}

Why CameraEditor::addressFault(long long value) const {
    return IsCameraAddressValue(value) ? Why::None : Why::CameraAddressRange;
}

std::optional<int> CameraEditor::freeAddress() const {
    return FirstFreeCameraAddress(host_.model());
}

bool CameraEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fields_.address && event->type() == QEvent::FocusOut &&
        UserMovesOn(fields_.address, static_cast<QFocusEvent*>(event)))
        ValidateAddress();
    return AddressedSlotEditor::eventFilter(watched, event);
}

void CameraEditor::ValidateAddress() {
    const QString text = fields_.address->text();
    if (text.isEmpty() || IsCameraAddressValue(LeadingDigitsValue(text.toStdString())))
        return;
    host_.showBox(QStringLiteral("Indirizzo camera non valido.\r\nutilizzare un indirizzo da 4000 a 5000"),
                  kExecutableName, Buttons::Ok, Icon::Exclamation);
    fields_.address->clear();
}

// The grid shows the address without its riser mark, and the riser's name.
std::pair<QString, int> CameraEditor::shownAddress(int row) const {
    const bool privateRiser = roles_.grid->cell(row, 3).left(3).toLower() == QStringLiteral("pri");
    return {roles_.grid->cell(row, 1), privateRiser ? 0 : 1};
}

bool CameraEditor::readyToStore() const {
    return !fields_.name->text().isEmpty() && !fields_.address->text().isEmpty() &&
           fields_.number->currentIndex() >= 0;
}

std::string CameraEditor::storedAddress(const std::string& typed, int riser) const {
    return StoredCameraAddress(typed, riser != 0);
}

QString CameraEditor::deleteQuestion(int row) const {
    return nameAndKeyQuestion(Word::askDeleteCamera, Word::numberWord, row);
}

} // namespace velto
