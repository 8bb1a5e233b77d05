// The window's size, place and maximised state: kept in the settings at close, and at start-up fitted
// to the screen area available, so that the window never opens larger than the screen or off it.
#include "Form1.h"
#include "Placement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

namespace velto {
namespace {

const QString kGeometryKey = QStringLiteral("geometry");
const QString kMaximisedKey = QStringLiteral("maximised");

} // namespace

void Form1::restorePlacement() {
    const QRect stored = StoredRect(toolkit_.setting(kPlacementSection, kGeometryKey, QString()));
    QScreen* screen = stored.isValid() ? QGuiApplication::screenAt(stored.center()) : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    // Before it is shown the window's frame is not known: allow for a title bar and thin borders.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QMargins frame(border, style()->pixelMetric(QStyle::PM_TitleBarHeight), border, border);
    const qsizetype othersOpen =
        OthersOpen(toolkit_.setting(kPlacementSection, kOpenWindowsKey, QString())).size();
    const QRect fitted = FitWithin(stored, screen->availableGeometry(), frame);
    setGeometry(
        FitWithin(Cascaded(fitted, int(othersOpen), frame.top()), screen->availableGeometry(), frame));

    if (toolkit_.setting(kPlacementSection, kMaximisedKey, QString()) == QStringLiteral("1"))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form1::storePlacement() {
    // One write at close: each write of the settings file is flushed to disk.
    toolkit_.putSettings(
        kPlacementSection,
        {{kGeometryKey, StoredText(normalGeometry())},
         {kOpenWindowsKey,
          OthersOpen(toolkit_.setting(kPlacementSection, kOpenWindowsKey, QString())).join(' ')},
         {kMaximisedKey, isMaximized() ? QStringLiteral("1") : QStringLiteral("0")}});
}

} // namespace velto
