// The window's size, place and maximised state: kept in the settings at close, and at start-up fitted
// to the screen area available, so that the window never opens larger than the screen or off it.
#include "Form1.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace velto {
namespace {

const QString kSection = QStringLiteral("window");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kMaximisedKey = QStringLiteral("maximised");
constexpr QSize kFirstSize(940, 620);

// The stored inside of the window, "x y width height", or an empty rectangle for anything else.
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

// As large as wanted but, with the frame, no larger than the room available; moved as little as
// needed to lie within it.
QRect FitWithin(const QRect& wanted, const QRect& available, const QMargins& frame) {
    const QRect room = available.marginsRemoved(frame);
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(room.size()));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
    return fitted;
}

} // namespace

void Form1::restorePlacement() {
    const QRect stored = StoredRect(toolkit_.setting(kSection, kGeometryKey, QString()));
    QScreen* screen = stored.isValid() ? QGuiApplication::screenAt(stored.center()) : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    // Before it is shown the window's frame is not known: allow for a title bar and thin borders.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QMargins frame(border, style()->pixelMetric(QStyle::PM_TitleBarHeight), border, border);
    const QRect available = screen->availableGeometry();
    QRect wanted = stored;
    if (!wanted.isValid()) { // the first time, centred on the screen
        wanted.setSize(kFirstSize);
        wanted.moveCenter(available.center());
    }
    setGeometry(FitWithin(wanted, available, frame));
    if (toolkit_.setting(kSection, kMaximisedKey, QString()) == QStringLiteral("1"))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form1::storePlacement() {
    toolkit_.putSetting(kSection, kGeometryKey,
                        QStringLiteral("%1 %2 %3 %4")
                            .arg(normalGeometry().x())
                            .arg(normalGeometry().y())
                            .arg(normalGeometry().width())
                            .arg(normalGeometry().height()));
    toolkit_.putSetting(kSection, kMaximisedKey, isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace velto
