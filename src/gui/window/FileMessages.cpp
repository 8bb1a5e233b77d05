#include "FileMessages.h"

#include "Notice.h"

#include <QDir>
#include <QFileInfo>

namespace velto {

QString ReadFailureText(const QString& path, const Notice& notice, bool italian) {
    QString reason = QString::fromStdString(notice.reason);
    if (notice.offset < 0)
        return SystemFailureText(path, reason);
    reason.remove(QStringLiteral(" at offset %1").arg(notice.offset)); // the line and column say it better
    return QStringLiteral("%1, %2 %3, %4 %5: %6")
        .arg(QFileInfo(path).fileName(), italian ? QStringLiteral("riga") : QStringLiteral("line"))
        .arg(notice.line)
        .arg(italian ? QStringLiteral("colonna") : QStringLiteral("column"))
        .arg(notice.column)
        .arg(reason);
}

QString SystemFailureText(const QString& path, const QString& reason) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

QString ReplaceQuestionText(const QString& path, bool italian) {
    return QDir::toNativeSeparators(path) +
           (italian ? QStringLiteral(" esiste già.\nSostituirlo?")
                    : QStringLiteral(" already exists.\nDo you want to replace it?"));
}

QString MissingFileText(const QString& path, bool italian) {
    return (italian ? QStringLiteral("Il file non esiste più: ")
                    : QStringLiteral("The file no longer exists: ")) +
           QDir::toNativeSeparators(path);
}

} // namespace velto
