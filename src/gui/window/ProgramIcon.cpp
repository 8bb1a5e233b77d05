#include "ProgramIcon.h"

#include <QDir>

namespace velto {

QIcon ProgramIcon() {
    // One folder per size ("16x16/apps"), as in the icon theme. Naming the size keeps QIcon from
    // opening each file to learn it.
    QIcon icon;
    for (const QString& folder : QDir(QStringLiteral(":/icons")).entryList()) {
        const int side = folder.section(QLatin1Char('x'), 0, 0).toInt();
        icon.addFile(QStringLiteral(":/icons/%1/apps/velto-configurator.png").arg(folder), QSize(side, side));
    }
    return icon;
}

} // namespace velto
