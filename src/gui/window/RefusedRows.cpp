#include "RefusedRows.h"

#include "LanguageTable.h"

#include <QStringList>

namespace velto {
namespace {

constexpr TextPair kRefusedLine{"riga %1: %2", "line %1: %2"};
constexpr TextPair kMoreRefused{"... e altre %1 righe", "... and %1 more rows"};
constexpr std::size_t kRefusedShown = 12;

} // namespace

QString RefusedText(const QString& heading, const std::vector<RefusedRow>& refused, bool italian) {
    QStringList lines{heading};
    for (std::size_t i = 0; i < refused.size() && i < kRefusedShown; ++i) {
        const QString reason = QString::fromStdString(refused[i].reason);
        lines << (refused[i].line > 0 ? ToQString(kRefusedLine.pick(italian)).arg(refused[i].line).arg(reason)
                                      : reason);
    }
    if (refused.size() > kRefusedShown)
        lines << ToQString(kMoreRefused.pick(italian)).arg(refused.size() - kRefusedShown);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace velto
