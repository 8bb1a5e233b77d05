#pragma once

#include "ExportTables.h"

#include <string>

namespace velto {

// One table as CSV (RFC 4180): UTF-8 with a byte-order mark, a heading row of the field names, CR LF
// after every row, a field quoted when it holds the separator, a quote, CR or LF.
std::string ExportCsv(const ExportTable& table, char separator);

} // namespace velto
