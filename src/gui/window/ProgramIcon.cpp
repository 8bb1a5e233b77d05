#include "ProgramIcon.h"

#include "Toolkit.h"

#include <QDir>

namespace velto {

QIcon ProgramIcon() {
    // The built-in copy holds the PNGs rendered for the theme, one folder per size ("16x16/apps").
    QIcon builtIn;
    for (const QString& size : QDir(QStringLiteral(":/icons")).entryList())
        builtIn.addFile(QStringLiteral(":/icons/%1/apps/velto-configurator.png").arg(size));
    return QIcon::fromTheme(kExecutableName, builtIn);
}

} // namespace velto
