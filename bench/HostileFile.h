#pragma once

#include <cstddef>
#include <string>

namespace velto::bench {

// Where the hostile file lies, in the temporary folder, and how it gets there.
std::string HostileFilePath();
void WriteHostileFile();
// Reads it into fresh tables with a counting sink; the number of notices.
std::size_t ReadHostileFile();

// A CSV file of one line of separators, imported in the process that calls it: true when the import
// refused it, as it must.
std::size_t OneLineCsvSize();
bool ImportOneLineCsv();

} // namespace velto::bench
