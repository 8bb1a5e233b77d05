#include "SlotNameList.h"

#include "InputFilters.h"
#include "ShownText.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace velto {

SlotNameList::SlotNameList(EditorHost& host, QListWidget* list, QLineEdit* nameBox,
                           QAbstractButton* deleteImage, Kind kind)
    : host_(host), list_(list), nameBox_(nameBox), deleteImage_(deleteImage), kind_(std::move(kind)) {
    // A choice by the keys or the mouse, and a click on the item already chosen.
    connect(list_, &QListWidget::itemSelectionChanged, this, &SlotNameList::SelectSlot);
    connect(list_, &QListWidget::itemClicked, this, &SlotNameList::SelectSlot);
    connect(deleteImage, &QAbstractButton::clicked, this, &SlotNameList::DeleteSlot);
    nameBox_->installEventFilter(this);
    deleteImage_->installEventFilter(this); // Space clicks it as any button; Delete too
}

bool SlotNameList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            NameSlot();
            return true;
        }
        const int index = selectedIndex();
        if (key == Qt::Key_Escape && index >= 0) {
            nameBox_->setText(QString::fromStdString(kind_.table[index + 1]));
            return true;
        }
    }
    if (watched == nameBox_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            keepTypedName();
    }
    if (watched == deleteImage_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteImage_->click();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// The list's current row is only the focus frame, which a refill leaves on an item it does not select.
int SlotNameList::selectedIndex() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.front());
}

void SlotNameList::SelectSlot() {
    const int index = selectedIndex();
    if (index < 0)
        return;
    SetWholeText(nameBox_, QString::fromStdString(kind_.table[index + 1]));
    if (kind_.selectingMarksChanged)
        host_.markChanged();
}

void SlotNameList::NameSlot() {
    const int index = selectedIndex();
    if (index < 0)
        return;
    const int slot = index + 1;
    const QString name = WholeText(nameBox_), before = QString::fromStdString(kind_.table[slot]);
    list_->item(index)->setText(QString::number(slot) + ' ' + Shortened(name));
    kind_.table[slot] = name.toStdString();
    if (kind_.afterChange)
        kind_.afterChange();
    // An empty name frees the slot.
    host_.commitChange(name.isEmpty() ? NoteOf(StepKind::Delete, kind_.subject, slot, slot, before)
                                      : NoteOf(StepKind::Name, kind_.subject, slot, slot, name));
}

void SlotNameList::keepTypedName() {
    const int index = selectedIndex();
    if (index >= 0 && nameBox_->text() != QString::fromStdString(kind_.table[index + 1]))
        NameSlot();
}

void SlotNameList::DeleteSlot() {
    const int index = selectedIndex();
    if (index < 0) {
        if (kind_.deleteWithoutSelectionMarksChanged)
            host_.markChanged();
        return;
    }
    const int slot = index + 1;
    const QString before = QString::fromStdString(kind_.table[slot]);
    list_->item(index)->setText(QString::number(slot));
    nameBox_->clear();
    kind_.table[slot].clear();
    if (kind_.afterChange)
        kind_.afterChange();
    host_.commitChange(NoteOf(StepKind::Delete, kind_.subject, slot, slot, before));
}

void SlotNameList::showSlot(int slot) {
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(slot - 1);
    SetWholeText(nameBox_, QString::fromStdString(kind_.table[slot]));
}

} // namespace velto
