// The installation report's two commands, on the configuration in the window.
#include "Form1.h"
#include "ReportCommand.h"

#include <QAction>

namespace velto {

ReportSubject Form1::reportSubject() {
    const DocumentFile& file = document_->file();
    return {document_->tables(), file.path, file.version, UiLanguage, document_->savedFingerprint()};
}

void Form1::mReport_Click() {
    CancelAllEditors();
    reportCommand_->exportReport(reportSubject(), control<QAction>("mReport")->text().remove(QChar(0x2026)),
                                 dialogFolder());
}

void Form1::mPrint_Click() {
    CancelAllEditors();
    reportCommand_->print(reportSubject());
}

} // namespace velto
