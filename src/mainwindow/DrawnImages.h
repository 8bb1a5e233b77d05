#pragma once

#include <QPixmap>

namespace velto {

// The program's logo: a house outline with a wave inside, drawn at the given height.
QPixmap MakeLogo(int height);

} // namespace velto
