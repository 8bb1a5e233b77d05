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

// A file of names tens of megabytes long, at the given path; read into the tables alone, or opened in
// the window and shown (in a process with an application). Each reports its seconds and peak memory and
// is true when it did what it should.
void WriteLongNamesFile(const std::string& path);
bool ReadLongNames(const std::string& path);
bool OpenLongNamesInWindow(const std::string& path);

} // namespace velto::bench
