#include "FileMessages.h"

#include "Notice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velto {
namespace {

struct Place {
    int line = 1;
    int column = 1;
};

// The line and column, both from 1, of a byte of the file; columns count characters.
Place PlaceOf(const QString& path, long long offset) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray before = file.read(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return {int(before.count('\n')) + 1, int(QString::fromUtf8(before.mid(lineStart)).size()) + 1};
}

} // namespace

QString ReadFailureText(const QString& path, const Notice& notice, bool italian) {
    QString reason = QString::fromStdString(notice.reason);
    if (notice.offset < 0)
        return SystemFailureText(path, reason);
    reason.remove(QStringLiteral(" at offset %1").arg(notice.offset)); // the line and column say it better
    const Place place = PlaceOf(path, notice.offset);
    return QStringLiteral("%1, %2 %3, %4 %5: %6")
        .arg(QFileInfo(path).fileName(), italian ? QStringLiteral("riga") : QStringLiteral("line"))
        .arg(place.line)
        .arg(italian ? QStringLiteral("colonna") : QStringLiteral("column"))
        .arg(place.column)
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
