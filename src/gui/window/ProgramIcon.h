#pragma once

#include <QIcon>

namespace velto {

// The program's icon, from the copy built into the program: the same drawing the package installs into
// the icon theme. Each size is decoded only when the platform asks for it.
QIcon ProgramIcon();

} // namespace velto
