#include "WindowTitle.h"

#include <QFileInfo>

namespace velto {

QString WindowTitle(const QString& path, bool modified, bool italian) {
    if (path.isEmpty() && !modified)
        return kWindowTitle;
    // A "[*]" in the name itself is doubled, so that it shows as it is.
    return DocumentName(path, italian).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) +
           QStringLiteral("[*] - ") + kWindowTitle;
}

QString DocumentName(const QString& path, bool italian) {
    if (path.isEmpty())
        return italian ? QStringLiteral("Senza nome") : QStringLiteral("Untitled");
    return QFileInfo(path).fileName();
}

} // namespace velto
