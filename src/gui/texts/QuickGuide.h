#pragma once

#include <QString>

namespace velto {

// The quick guide in one language: the rules of each tab, then the keys, as HTML. The section of
// tab n (0..4) is anchored "tab<n>", the keys "keys".
QString QuickGuideHtml(bool italian);

} // namespace velto
