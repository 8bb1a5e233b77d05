#pragma once

class QMainWindow;

namespace velto {

class Toolkit;

// The window's size, place and maximised state: kept in the settings at close, and at start-up fitted
// to the screen area available, so that the window never opens larger than the screen or off it, and
// aside from the windows already open.
void RestorePlacement(QMainWindow& window, Toolkit& toolkit);
void StorePlacement(const QMainWindow& window, Toolkit& toolkit);
// Once the window is on the screen it counts as open, for the next one to open aside.
void CountAsOpen(Toolkit& toolkit);

} // namespace velto
