#pragma once

#include "LanguageTable.h"
#include "Words.h"

#include <QString>

// Texts that several parts of the window show, as (Italian, English) pairs.
namespace velto {

// Titles the reader's notices, which name no title of their own.
inline const QString kApplicationTitle = QStringLiteral("Velto-Configurator");
inline constexpr TextPair kWarningTitle{"Attenzione", "Warning"};

// The text of a pair in the language in force.
inline QString Pick(const TextPair& text, bool italian) {
    return ToQString(text.pick(italian));
}

} // namespace velto
