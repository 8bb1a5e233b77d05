// Builds the window exactly as the program's main does, shows it and exits after its first paint: what
// the start-up benchmark times and weighs. Its floors: --bare, a bare QWidget, which draws no text; and
// --main-window, a main window with a menu bar, five tabs and a status bar, which does.
#include "Form1.h"
#include "QtToolkit.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Ends the process once the first frame is painted: the window's own paint comes first, its children's
// follow in the same pass, and the timer fires after the pass, before anything the program put off until
// after the first paint. Tearing the window down is not start-up, so none of the three pays for it.
class ExitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return QObject::eventFilter(watched, event);
    }
};

std::unique_ptr<QWidget> BareMainWindow() {
    auto window = std::make_unique<QMainWindow>();
    for (const char* menu : {"&File", "&Edit", "&Language"})
        window->menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Open"));
    auto* tabs = new QTabWidget;
    for (const char* tab : {"Device / Aux", "Load", "Thermo probe", "Camera", "Scenario"})
        tabs->addTab(new QWidget, QString::fromLatin1(tab));
    window->setCentralWidget(tabs);
    window->statusBar()->showMessage(QStringLiteral("New file"));
    window->resize(940, 620);
    return window;
}

} // namespace

int main(int argc, char* argv[]) {
    const char* floor = argc > 1 ? argv[1] : "";
    QApplication application(argc, argv);
    velto::QtToolkit toolkit;
    std::unique_ptr<QWidget> window = std::strcmp(floor, "--bare") == 0 ? std::make_unique<QWidget>()
                                      : std::strcmp(floor, "--main-window") == 0
                                          ? BareMainWindow()
                                          : std::make_unique<velto::Form1>(toolkit);
    ExitAfterFirstPaint quitter;
    window->installEventFilter(&quitter);
    window->show();
    return application.exec();
}
