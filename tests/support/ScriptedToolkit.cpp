#include "ScriptedToolkit.h"

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
    EXPECT_TRUE(answers_.isEmpty() && paths_.isEmpty() && prints_.isEmpty())
        << "scripted answers never used: " << answers_.size() << " box, " << paths_.size() << " file dialog, "
        << prints_.size() << " print dialog";
}

int ScriptedToolkit::messageBox(QWidget*, const QString& text, const QString& title, Buttons buttons,
                                Icon icon) {
    boxes_.append({text, title, buttons, icon});
    return Next(answers_, "message box: \"" + text.toStdString() + "\" titled \"" + title.toStdString() + '"',
                buttons == Buttons::Ok ? kAnswerOk : kAnswerCancel);
}

QString ScriptedToolkit::fileDialog(const FileDialogRequest& request) {
    dialogs_.append(request);
    const auto [path, filter] = Next(paths_, "file dialog: " + request.title.toStdString(), {});
    if (request.chosenFilter)
        *request.chosenFilter = filter;
    return path;
}

bool ScriptedToolkit::printDialog(QWidget*, QPrinter& printer) {
    const QString pdfPath = Next(prints_, "print dialog", QString());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return !pdfPath.isEmpty();
}

} // namespace velto::testing
