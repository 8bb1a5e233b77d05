#include "WindowTitle.h"

#include "WindowTexts.h"

#include <QFileInfo>

namespace velto {
namespace {

constexpr TextPair kUntitled{"Senza nome", "Untitled"};

} // namespace

QString WindowTitle(const QString& path, bool modified, bool italian) {
    if (path.isEmpty() && !modified)
        return kWindowTitle;
    // A "[*]" in the name itself is doubled, so that it shows as it is.
    return DocumentName(path, italian).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) +
           QStringLiteral("[*] - ") + kWindowTitle;
}

QString DocumentName(const QString& path, bool italian) {
    if (path.isEmpty())
        return Pick(kUntitled, italian);
    return QFileInfo(path).fileName();
}

} // namespace velto
