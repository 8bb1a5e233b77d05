#include "Form1.h"
#include "QtToolkit.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velto::QtToolkit toolkit;
    velto::Form1 window(toolkit);
    window.show();
    return application.exec();
}
