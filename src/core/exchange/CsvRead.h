#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velto {

enum class CsvFault { None, OpenQuote, TextAfterQuote };

// One row of a CSV file and the line it starts on (counted from 1).
struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;
    CsvFault fault = CsvFault::None;
};

// The separator of a file's first row: ";" when that row holds a ";" and no ",", else ",".
char FindSeparator(std::string_view csv);

// The rows of a CSV file (RFC 4180), a UTF-8 byte-order mark skipped: a row ends at CR LF or LF
// outside quotes, "" inside quotes is one quote. A row of empty cells only (a blank line) is left out.
// Each cell is decoded as CellText does. A row with a quote never closed takes the rest of the file;
// a row with text after a closing quote ends at its line's end.
std::vector<CsvRow> ReadCsv(std::string_view csv, char separator);

// A cell's text as the tables hold it: UTF-8 (read as Windows-1252 when it is not), without the one
// apostrophe that the export puts before a cell a spreadsheet would take for a formula.
std::string CellText(std::string_view raw);

} // namespace velto
