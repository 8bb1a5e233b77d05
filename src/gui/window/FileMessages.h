#pragma once

#include <QString>

// The texts of the boxes that tell why a file could not be read or written, in the language in force.
namespace velto {

struct Notice;

// A file that would not parse: its name, line and column, and the parser's reason. A file that
// could not be read: its path and the system's reason.
QString ReadFailureText(const QString& path, const Notice& notice, bool italian);

// A file the system could not read or write: its path and the system's reason.
QString SystemFailureText(const QString& path, const QString& reason);

// Whether to replace a file that exists.
QString ReplaceQuestionText(const QString& path, bool italian);

// A recent file that is no longer there.
QString MissingFileText(const QString& path, bool italian);

} // namespace velto
