#pragma once

#include <string>

namespace velto {

// Tells the system that the user opened or saved the file (a UTF-8 path), for the lists of recent
// documents it keeps itself: on Windows the Start menu's and the program's jump list. Elsewhere the
// program's own list is the only one, and this does nothing.
void AddToRecentDocuments(const std::string& path);

} // namespace velto
