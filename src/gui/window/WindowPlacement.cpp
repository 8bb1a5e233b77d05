#include "WindowPlacement.h"

#include "Placement.h"
#include "Toolkit.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>

namespace velto {
namespace {

const QString kGeometryKey = QStringLiteral("geometry");
const QString kMaximisedKey = QStringLiteral("maximised");

} // namespace

void RestorePlacement(QMainWindow& window, Toolkit& toolkit) {
    const QRect stored = StoredRect(toolkit.setting(kPlacementSection, kGeometryKey, QString()));
    QScreen* screen = stored.isValid() ? QGuiApplication::screenAt(stored.center()) : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    // Before it is shown the window's frame is not known: allow for a title bar and thin borders.
    const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QMargins frame(border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight), border, border);
    const qsizetype othersOpen =
        OthersOpen(toolkit.setting(kPlacementSection, kOpenWindowsKey, QString())).size();
    const QRect fitted = FitWithin(stored, screen->availableGeometry(), frame);
    window.setGeometry(
        FitWithin(Cascaded(fitted, int(othersOpen), frame.top()), screen->availableGeometry(), frame));

    if (toolkit.setting(kPlacementSection, kMaximisedKey, QString()) == QStringLiteral("1"))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void CountAsOpen(Toolkit& toolkit) {
    QStringList open = OthersOpen(toolkit.setting(kPlacementSection, kOpenWindowsKey, QString()));
    toolkit.putSetting(kPlacementSection, kOpenWindowsKey, (open << OwnEntry()).join(' '));
}

void StorePlacement(const QMainWindow& window, Toolkit& toolkit) {
    // One write at close: each write of the settings file is flushed to disk.
    toolkit.putSettings(
        kPlacementSection,
        {{kGeometryKey, StoredText(window.normalGeometry())},
         {kOpenWindowsKey,
          OthersOpen(toolkit.setting(kPlacementSection, kOpenWindowsKey, QString())).join(' ')},
         {kMaximisedKey, window.isMaximized() ? QStringLiteral("1") : QStringLiteral("0")}});
}

} // namespace velto
