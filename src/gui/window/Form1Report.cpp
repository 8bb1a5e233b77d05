// The installation report's two commands, on the configuration in the window.
#include "FileMenu.h"
#include "Form1.h"
#include "ReportCommand.h"

#include <QAction>

namespace velto {
namespace {

ReportSubject SubjectOf(Document& document, bool italian) {
    const DocumentFile& file = document.file();
    return {document.tables(), file.path, file.version, italian, document.savedFingerprint()};
}

} // namespace

void Form1::mReport_Click() {
    CancelAllEditors();
    reportCommand_->exportReport(SubjectOf(*document_, UiLanguage),
                                 controls_.get<QAction>("mReport")->text().remove(QChar(0x2026)),
                                 fileMenu_->dialogFolder());
}

void Form1::mPrint_Click() {
    CancelAllEditors();
    reportCommand_->print(SubjectOf(*document_, UiLanguage));
}

} // namespace velto
