// File > Versions: the versions the saves of the current file kept, one of them restored as a step.
#include "Form1.h"
#include "VersionsDialog.h"

namespace velto {

void Form1::mVersions_Click() {
    CancelAllEditors();
    VersionsDialog dialog(toolkit_, this, document_->file().path, UiLanguage);
    connect(&dialog, &VersionsDialog::compareRequested, this, [this](const VersionToCompare& version) {
        showComparison(*version.tables, version.name, version.sha256.toStdString());
    });
    if (!toolkit_.runDialog(dialog) || !dialog.restored())
        return;
    // Unsaved changes of the current file: nothing on disk changes until Save.
    model() = std::move(*dialog.restored()->tables);
    RefreshAllViews();
    document_->commit({dialog.restored()->italian, dialog.restored()->english, Subject::Device});
}

} // namespace velto
