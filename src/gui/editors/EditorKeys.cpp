#include "EditorKeys.h"

#include "GridView.h"
#include "RecordEditor.h"

#include <QKeyEvent>

namespace velto {
namespace {

// The button a key runs from the grid: Insert adds, Enter and F2 modify, Delete deletes.
QPushButton* GridKeyButton(const EditorRoles& roles, int key) {
    switch (key) {
    case Qt::Key_Insert:
        return roles.newButton;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        return roles.modifyButton;
    case Qt::Key_Delete:
        return roles.deleteButton;
    default:
        return nullptr;
    }
}

class EditorKeyFilter : public QObject {
public:
    EditorKeyFilter(const EditorRoles& roles, QObject* parent) : QObject(parent), roles_(roles) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched == roles_.grid) {
            const auto* key = static_cast<QKeyEvent*>(event);
            QPushButton* button = GridKeyButton(roles_, key->key());
            if (button == nullptr || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
                return QObject::eventFilter(watched, event);
            if (button->isEnabled()) // also false while the panel that holds it is disabled
                button->click();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                roles_.confirmButton->click(); // a disabled button ignores it
                return true;
            case Qt::Key_Escape:
                roles_.cancelButton->click();
                return true;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const EditorRoles& roles_;
};

} // namespace

void AttachEditorKeys(RecordEditor& editor) {
    const EditorRoles& roles = editor.roles();
    auto* filter = new EditorKeyFilter(roles, &editor);
    for (QWidget* field : roles.fields)
        field->installEventFilter(filter);
    roles.grid->installEventFilter(filter);
    QObject::connect(roles.grid, &QTableWidget::cellDoubleClicked, roles.modifyButton, &QPushButton::click);
}

} // namespace velto
