#pragma once

#include <QString>

class QWidget;

namespace velto {

// Shows the standard file dialog: mode 1 opens (the file and its folder must exist), any other mode
// saves (the folder must exist; replacing a file asks first). The filter is pairs of description and
// pattern, each followed by a NUL character. Returns the full path chosen, or empty text on cancel;
// chosenFilter, when given, receives the description of the filter left chosen.
QString ShowFileDialog(QWidget* owner, int mode, const QString& title, const QString& fileName,
                       const QString& filter, const QString& initialFolder, const QString& defaultExtension,
                       QString* chosenFilter = nullptr);

} // namespace velto
