#pragma once

#include "TextEncoding.h"

#include <QString>
#include <string>

namespace velto {

// A text as a view shows it: whole, or its first most characters (never half of one) and an ellipsis.
QString Shortened(const QString& text, qsizetype most = qsizetype(kMostShownCharacters));
// The same of a UTF-8 text, converting only what is shown.
QString ShownText(const std::string& utf8);

} // namespace velto
