#include "ScriptedToolkit.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <gtest/gtest.h>

namespace velto::testing {
namespace {

// The next scripted answer; when nobody scripted one, a failure and the fallback.
template <typename T> T Next(QQueue<T>& answers, const std::string& what, T fallback) {
    if (!answers.isEmpty())
        return answers.dequeue();
    ADD_FAILURE() << "unexpected " << what;
    return fallback;
}

} // namespace

ScriptedToolkit::~ScriptedToolkit() {
    EXPECT_TRUE(answers_.isEmpty() && paths_.isEmpty() && forms_.isEmpty())
        << "scripted answers never used: " << answers_.size() << " box, " << paths_.size() << " file dialog, "
        << forms_.size() << " other dialog";
}

int ScriptedToolkit::messageBox(QWidget*, const QString& text, const QString& title, Buttons buttons,
                                Icon icon) {
    boxes_.append({text, title, buttons, icon});
    return Next(answers_, "message box: \"" + text.toStdString() + "\" titled \"" + title.toStdString() + '"',
                buttons == Buttons::Ok ? kAnswerOk : kAnswerCancel);
}

int ScriptedToolkit::choose(QWidget*, const QString& text, const QString& title, const QStringList& choices) {
    boxes_.append({text, title, Buttons::Choices, Icon::Question, choices});
    return Next(answers_, "question: \"" + text.toStdString() + '"', -1);
}

QString ScriptedToolkit::fileDialog(const FileDialogRequest& request) {
    dialogs_.append(request);
    const auto [path, filter] = Next(paths_, "file dialog: " + request.title.toStdString(), {});
    if (request.chosenFilter)
        *request.chosenFilter = filter;
    return path;
}

bool ScriptedToolkit::runDialog(QDialog& dialog) {
    return Next(forms_, "dialog " + dialog.objectName().toStdString(),
                std::function<bool(QDialog&)>([](QDialog&) { return false; }))(dialog);
}

void ScriptedToolkit::expectPreview(const QString& pdfPath, int* pages) {
    expectForm([pdfPath, pages](QDialog& dialog) {
        auto* shown = dialog.findChild<QPrintPreviewWidget*>(); // inside Qt's print preview dialog
        shown->updatePreview();
        if (pages)
            *pages = shown->pageCount();
        // What the preview's print button leads to once the print dialog has chosen a printer.
        QPrinter* printer = static_cast<QPrintPreviewDialog&>(dialog).printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        if (!pdfPath.isEmpty())
            shown->print();
        return !pdfPath.isEmpty();
    });
}

} // namespace velto::testing
