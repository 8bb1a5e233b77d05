#include "CommandLine.h"
#include "Form1.h"
#include "Process.h"
#include "QtToolkit.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments = velto::ProgramArguments(argc, argv);
    const velto::CommandLine command = velto::ParseCommandLine({arguments.begin(), arguments.end()});
    if (command.action != velto::CommandLine::Action::Run) {
        std::fputs(command.message.c_str(), command.exitCode() == 0 ? stdout : stderr);
        return command.exitCode();
    }
    const std::string noDisplay = velto::MissingDisplay(
        std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
    if (!noDisplay.empty()) {
        std::fputs(noDisplay.c_str(), stderr);
        return 2;
    }

    // Qt sees no argument of the user's, so a file name is never taken for one of Qt's options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    velto::QtToolkit toolkit;
    velto::Form1 window(toolkit);
    window.show();
    const bool recovered = window.offerRecovery();
    if (!command.file.empty()) {
        const QString path = QFileInfo(QString::fromStdString(command.file)).absoluteFilePath();
        recovered ? window.openInsteadOfCurrent(path)
                  : window.openFile(path); // recovered work is asked about
    }
    return application.exec();
}
