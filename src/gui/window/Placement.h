#pragma once

#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>

// Where the window opens: the rectangle kept in the settings, fitted to the screen, so that the window
// never opens larger than the screen or off it.
namespace velto {

inline constexpr QSize kFirstWindowSize(940, 620);
// Where the settings keep the place, and the windows open now so that the next one opens aside.
inline const QString kPlacementSection = QStringLiteral("window");
inline const QString kOpenWindowsKey = QStringLiteral("open");

// The stored inside of the window, "x y width height", or an empty rectangle for anything else.
QRect StoredRect(const QString& text);
QString StoredText(const QRect& rect);

// As large as wanted but, with the frame, no larger than the room available; moved as little as
// needed to lie within it. With no rectangle wanted, the first size centred in the room.
QRect FitWithin(const QRect& wanted, const QRect& available, const QMargins& frame);

// A window opening while others are open goes down and right of where it was wanted by step for each,
// so that it does not hide them exactly.
QRect Cascaded(const QRect& wanted, int othersOpen, int step);

// The windows stored as open ("<pid>-<start>", space-separated) whose processes still run.
QStringList StillOpen(const QString& stored);
// This process's entry among them.
QString OwnEntry();
// The windows of other processes still open.
QStringList OthersOpen(const QString& stored);

} // namespace velto
