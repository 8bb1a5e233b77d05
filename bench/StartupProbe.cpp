// Builds the window exactly as the program's main does and shows it; once its first frame is painted,
// reports when that was and the memory held by then, and once the program has nothing left to do,
// asks the window to close as a user would and reports when it asked. What the start-up and teardown
// benchmarks time and weigh. Their floors: --bare, a bare QWidget, which draws no text; and
// --main-window, a main window with a menu bar, five tabs and a status bar, which does.
#include "ChildReport.h"
#include "Form1.h"
#include "QtToolkit.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <cstring>
#include <memory>

namespace {

using namespace velto::bench;

// Reports the first frame once it is painted: the window's own paint comes first, its children's follow
// in the same pass, and the timer fires after the pass, before anything the program put off until after
// the first paint. Then, once the program has nothing left to do, asks the window to close.
class FirstFrameThenClose : public QObject {
public:
    explicit FirstFrameThenClose(QWidget& window) : window_(window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, [this] { firstFramePainted(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void firstFramePainted() {
        ReportFigure("first-frame", MonotonicSeconds());
        ReportFigure("first-frame-peak-kb", double(PeakResidentKilobytes()));
        // The event loop is about to wait: what the program put off until after the first paint is done.
        connect(
            QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] {
                ReportFigure("close-request", MonotonicSeconds());
                window_.close();
            },
            Qt::SingleShotConnection);
    }

    QWidget& window_;
    bool painted_ = false;
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
    FirstFrameThenClose probe(*window);
    window->show();
    return application.exec();
}
