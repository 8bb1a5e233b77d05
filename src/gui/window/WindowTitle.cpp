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
    const QString name =
        path.isEmpty() ? Pick(kUntitled, italian)
                       : QFileInfo(path).fileName().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral("[*] - ") + kWindowTitle;
}

} // namespace velto
