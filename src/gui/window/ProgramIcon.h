#pragma once

#include <QIcon>

namespace velto {

// The program's icon from the installed icon theme, else the copy built into the program.
QIcon ProgramIcon();

} // namespace velto
