#include "FileMessages.h"

#include "Notice.h"
#include "WindowTexts.h"

#include <QDir>
#include <QFileInfo>

namespace velto {
namespace {

constexpr TextPair kLine{"riga", "line"};
constexpr TextPair kColumn{"colonna", "column"};
constexpr TextPair kReplaceQuestion{" esiste già.\nSostituirlo?",
                                    " already exists.\nDo you want to replace it?"};
constexpr TextPair kMissingFile{"Il file non esiste più: ", "The file no longer exists: "};

} // namespace

QString ReadFailureText(const QString& path, const Notice& notice, bool italian) {
    QString reason = QString::fromStdString(notice.reason);
    if (notice.offset < 0)
        return SystemFailureText(path, reason);
    reason.remove(QStringLiteral(" at offset %1").arg(notice.offset)); // the line and column say it better
    return QStringLiteral("%1, %2 %3, %4 %5: %6")
        .arg(QFileInfo(path).fileName(), Pick(kLine, italian))
        .arg(notice.line)
        .arg(Pick(kColumn, italian))
        .arg(notice.column)
        .arg(reason);
}

QString SystemFailureText(const QString& path, const QString& reason) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

QString ReplaceQuestionText(const QString& path, bool italian) {
    return QDir::toNativeSeparators(path) + Pick(kReplaceQuestion, italian);
}

QString MissingFileText(const QString& path, bool italian) {
    return Pick(kMissingFile, italian) + QDir::toNativeSeparators(path);
}

} // namespace velto
