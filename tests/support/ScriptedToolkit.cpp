#include "ScriptedToolkit.h"

#include <QPrinter>
#include <gtest/gtest.h>

namespace velto::testing {

ScriptedToolkit::~ScriptedToolkit() {
    EXPECT_TRUE(answers_.isEmpty()) << answers_.size() << " scripted box answer(s) never used";
    EXPECT_TRUE(paths_.isEmpty()) << paths_.size() << " scripted file dialog answer(s) never used";
    EXPECT_TRUE(prints_.isEmpty()) << prints_.size() << " scripted print dialog answer(s) never used";
}

int ScriptedToolkit::messageBox(QWidget*, const QString& text, const QString& title, Buttons buttons,
                                Icon icon) {
    boxes_.append({text, title, buttons, icon});
    if (answers_.isEmpty()) {
        ADD_FAILURE() << "unexpected message box: \"" << text.toStdString() << "\" titled \""
                      << title.toStdString() << '"';
        return buttons == Buttons::Ok ? kAnswerOk : kAnswerCancel;
    }
    return answers_.dequeue();
}

QString ScriptedToolkit::fileDialog(const FileDialogRequest& request) {
    dialogs_.append(request);
    if (paths_.isEmpty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
        return {};
    }
    const auto [path, filter] = paths_.dequeue();
    if (request.chosenFilter)
        *request.chosenFilter = filter;
    return path;
}

bool ScriptedToolkit::printDialog(QWidget*, QPrinter& printer) {
    if (prints_.isEmpty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    }
    const QString pdfPath = prints_.dequeue();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return !pdfPath.isEmpty();
}

} // namespace velto::testing
