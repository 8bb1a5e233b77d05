#include "WindowTitle.h"

#include <QFileInfo>

namespace velto {

QString WindowTitle(const QString& path, bool modified, bool italian) {
    if (path.isEmpty() && !modified)
        return kWindowTitle;
    // A "[*]" in the name itself is doubled, so that it shows as it is.
    const QString name =
        path.isEmpty() ? (italian ? QStringLiteral("Senza nome") : QStringLiteral("Untitled"))
                       : QFileInfo(path).fileName().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral("[*] - ") + kWindowTitle;
}

} // namespace velto
