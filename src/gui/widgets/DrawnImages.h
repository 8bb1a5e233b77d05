#pragma once

#include <QIcon>
#include <QPixmap>

// The window's images, drawn in code: nothing is loaded from files or the icon theme at start-up.
namespace velto {

// The program's logo: a house outline with a wave inside, drawn at the given height.
QPixmap MakeLogo(int height);

// The waste bin shown beside the group and auxiliary names.
QIcon MakeDeleteIcon();

} // namespace velto
