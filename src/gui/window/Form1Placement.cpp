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

const QString kSection = QStringLiteral("window");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kMaximisedKey = QStringLiteral("maximised");
const QString kOpenKey = QStringLiteral("open"); // the windows open now, so that the next one opens aside

} // namespace

void Form1::restorePlacement() {
    const QRect stored = StoredRect(toolkit_.setting(kSection, kGeometryKey, QString()));
    QScreen* screen = stored.isValid() ? QGuiApplication::screenAt(stored.center()) : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    // Before it is shown the window's frame is not known: allow for a title bar and thin borders.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const QMargins frame(border, style()->pixelMetric(QStyle::PM_TitleBarHeight), border, border);
    QStringList open = StillOpen(toolkit_.setting(kSection, kOpenKey, QString()));
    open.removeAll(OwnEntry());
    const QRect fitted = FitWithin(stored, screen->availableGeometry(), frame);
    setGeometry(
        FitWithin(Cascaded(fitted, int(open.size()), frame.top()), screen->availableGeometry(), frame));
    toolkit_.putSetting(kSection, kOpenKey, (open << OwnEntry()).join(' '));
    if (toolkit_.setting(kSection, kMaximisedKey, QString()) == QStringLiteral("1"))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form1::storePlacement() {
    toolkit_.putSetting(kSection, kGeometryKey, StoredText(normalGeometry()));
    QStringList open = StillOpen(toolkit_.setting(kSection, kOpenKey, QString()));
    open.removeAll(OwnEntry());
    toolkit_.putSetting(kSection, kOpenKey, open.join(' '));
    toolkit_.putSetting(kSection, kMaximisedKey, isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace velto
