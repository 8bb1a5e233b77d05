#include "WindowEditorHost.h"

#include "Document.h"

namespace velto {

ConfigModel& WindowEditorHost::model() {
    return window_.document.tables();
}

int WindowEditorHost::showBox(const QString& text, const QString& title, Buttons buttons, Icon icon) {
    return window_.toolkit.messageBox(window_.owner, text, title, buttons, icon);
}

void WindowEditorHost::markChanged() {
    window_.document.markPassing();
}

void WindowEditorHost::commitChange(const ChangeNote& note) {
    window_.document.commit(note);
}

} // namespace velto
