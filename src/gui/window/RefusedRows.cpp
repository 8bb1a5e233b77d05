#include "RefusedRows.h"

#include "LanguageTable.h"

namespace velto {
namespace {

constexpr TextPair kLine{"riga %1: %2", "line %1: %2"};
constexpr TextPair kMoreLines{"... e altre %1", "... and %1 more"};

} // namespace

QString NoteLine(const RowNote& note, bool italian) {
    const QString text = QString::fromStdString(note.text);
    return note.line > 0 ? ToQString(kLine.pick(italian)).arg(note.line).arg(text) : text;
}

QString MoreLines(std::size_t more, bool italian) {
    return ToQString(kMoreLines.pick(italian)).arg(more);
}

QString RefusedText(const QString& heading, const std::vector<RowNote>& refused, bool italian) {
    QStringList lines{heading};
    AppendShown(lines, refused, italian, [italian](const RowNote& note) { return NoteLine(note, italian); });
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace velto
