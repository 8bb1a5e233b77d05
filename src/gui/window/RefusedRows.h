#pragma once

#include "TableImport.h"

#include <QString>
#include <vector>

namespace velto {

// A box's text for rows refused: the heading, then the first rows' reasons, each after its line ("riga 3:
// ...") when it has one, and how many more there are.
QString RefusedText(const QString& heading, const std::vector<RefusedRow>& refused, bool italian);

} // namespace velto
