#include "Placement.h"

#include "Process.h"

#include <QStringList>
#include <algorithm>

namespace velto {

QRect StoredRect(const QString& text) {
    const QStringList parts = text.split(' ', Qt::SkipEmptyParts);
    int values[4] = {};
    for (int i = 0; i < 4 && parts.size() == 4; ++i) {
        bool ok = false;
        values[i] = parts[i].toInt(&ok);
        if (!ok)
            return {};
    }
    return values[2] > 0 && values[3] > 0 ? QRect(values[0], values[1], values[2], values[3]) : QRect();
}

QString StoredText(const QRect& rect) {
    return QStringLiteral("%1 %2 %3 %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRect FitWithin(const QRect& wanted, const QRect& available, const QMargins& frame) {
    QRect chosen = wanted;
    if (!chosen.isValid()) {
        chosen.setSize(kFirstWindowSize);
        chosen.moveCenter(available.center());
    }
    const QRect room = available.marginsRemoved(frame);
    QRect fitted(chosen.topLeft(), chosen.size().boundedTo(room.size()));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
    return fitted;
}

QRect Cascaded(const QRect& wanted, int othersOpen, int step) {
    return wanted.translated(othersOpen * step, othersOpen * step);
}

QStringList StillOpen(const QString& stored) {
    QStringList open;
    for (const QString& entry : stored.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split('-');
        bool pidOk = false, startOk = false;
        const long pid = parts.size() == 2 ? parts[0].toLong(&pidOk) : 0;
        const long long start = parts.size() == 2 ? parts[1].toLongLong(&startOk) : 0;
        if (pidOk && startOk && start > 0 && ProcessRunning(pid, start) && !open.contains(entry))
            open << entry;
    }
    return open;
}

QString OwnEntry() {
    const long pid = CurrentProcessId();
    return QStringLiteral("%1-%2").arg(pid).arg(ProcessStartTime(pid));
}

QStringList OthersOpen(const QString& stored) {
    QStringList open = StillOpen(stored);
    open.removeAll(OwnEntry());
    return open;
}

} // namespace velto
