#pragma once

#include "TableImport.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace velto {

// As many lines of a list as a box shows on a small screen.
inline constexpr std::size_t kLinesShown = 12;

// "riga 3: ..." / "line 3: ...", or the text alone for a note of no line.
QString NoteLine(const RowNote& note, bool italian);
// "... e altre 5" / "... and 5 more".
QString MoreLines(std::size_t more, bool italian);

// The first lines of a list, then how many more there are.
template <typename T, typename ToLine>
void AppendShown(QStringList& lines, const std::vector<T>& items, bool italian, ToLine toLine) {
    for (std::size_t i = 0; i < items.size() && i < kLinesShown; ++i)
        lines << toLine(items[i]);
    if (items.size() > kLinesShown)
        lines << MoreLines(items.size() - kLinesShown, italian);
}

// A box's text for rows refused: the heading, then the first rows' reasons, each after its line, and how
// many more there are.
QString RefusedText(const QString& heading, const std::vector<RowNote>& refused, bool italian);

} // namespace velto
