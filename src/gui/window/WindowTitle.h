#pragma once

#include <QString>

namespace velto {

inline const QString kWindowTitle = QStringLiteral("Velto-Configurator V.1.0");

// The window's title for the file at path (empty for a configuration never saved): the file's name
// and "[*]" where the window shows its modified mark, or the program's own title while an unnamed
// configuration holds no changes.
QString WindowTitle(const QString& path, bool modified, bool italian);

// The file's name, or "Senza nome" / "Untitled" for a configuration never saved.
QString DocumentName(const QString& path, bool italian);

} // namespace velto
