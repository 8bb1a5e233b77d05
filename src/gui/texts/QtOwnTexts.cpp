#include "QtOwnTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace velto {
namespace {

// Qt's own Italian texts: shipped beside the program where Qt comes with it (Windows), else Qt's.
bool Load(QTranslator& translator) {
    const QString name = QStringLiteral("qtbase_it");
    return translator.load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations")) ||
           translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace

QtOwnTexts::~QtOwnTexts() {
    QCoreApplication::removeTranslator(&italian_);
}

void QtOwnTexts::use(bool italian) {
    QCoreApplication::removeTranslator(&italian_);
    if (italian && (!italian_.isEmpty() || Load(italian_)))
        QCoreApplication::installTranslator(&italian_);
}

} // namespace velto
