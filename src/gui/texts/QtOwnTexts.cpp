#include "QtOwnTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace velto {

QtOwnTexts::~QtOwnTexts() {
    QCoreApplication::removeTranslator(&italian_);
}

void QtOwnTexts::use(bool italian) {
    QCoreApplication::removeTranslator(&italian_);
    if (italian && (!italian_.isEmpty() || italian_.load(QStringLiteral("qtbase_it"),
                                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))))
        QCoreApplication::installTranslator(&italian_);
}

} // namespace velto
