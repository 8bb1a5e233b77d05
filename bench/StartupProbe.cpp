// Builds the window exactly as the program's main does (or, with --bare, a bare QWidget), shows it and
// exits after its first paint: what the start-up benchmark times and weighs.
#include "Form1.h"
#include "QtToolkit.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstring>
#include <memory>

namespace {

class QuitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    QApplication application(argc, argv);
    velto::QtToolkit toolkit;
    std::unique_ptr<QWidget> window =
        bare ? std::make_unique<QWidget>() : std::make_unique<velto::Form1>(toolkit);
    QuitAfterFirstPaint quitter;
    window->installEventFilter(&quitter);
    window->show();
    return application.exec();
}
