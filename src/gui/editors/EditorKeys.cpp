#include "EditorKeys.h"

#include "GridView.h"
#include "RecordEditor.h"

#include <QKeyEvent>

namespace velto {
namespace {

class EditorKeyFilter : public QObject {
public:
    EditorKeyFilter(const EditorRoles& roles, QObject* parent) : QObject(parent), roles_(roles) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
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
    QObject::connect(roles.grid, &QTableWidget::cellDoubleClicked, roles.modifyButton, &QPushButton::click);
}

} // namespace velto
