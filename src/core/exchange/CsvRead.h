#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

// The largest CSV file an import reads: far above any table's export, and a bound on what reading one
// may cost.
inline constexpr std::size_t kMaxCsvFileSize = std::size_t{300} << 20;

// More cells than any table has columns; the cells of a row beyond them are not kept.
inline constexpr std::size_t kMostCsvCells = 64;

enum class CsvFault { None, OpenQuote, TextAfterQuote, TooManyCells, ControlCharacter };

// One row of a CSV file and the line it starts on (counted from 1).
struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;
    CsvFault fault = CsvFault::None;
};

// The separator of a file's first row: ";" when that row holds more of them than of "," outside quotes,
// as a heading of Italian words split by ";" may hold a "," in a quoted heading; else ",".
char FindSeparator(std::string_view csv);

// Calls take with each row of a CSV file (RFC 4180) in turn, until take returns false; a UTF-8
// byte-order mark is skipped. A row ends at CR LF or LF outside quotes, "" inside quotes is one quote.
// A row of empty cells only (a blank line) is left out. Each cell is decoded as CellText does. A row with
// a quote never closed takes the rest of the file; a row with text after a closing quote ends at its
// line's end. A row with more than kMostCsvCells cells keeps only those, and one with a control
// character other than TAB, CR or LF in a cell (a NUL, above all: those no conf.xml can hold) keeps
// none; both are faults. Only one
// row is held at a time, so reading costs little more than the file itself.
void ReadCsv(std::string_view csv, char separator, const std::function<bool(CsvRow&&)>& take);

// A cell's text as the tables hold it: UTF-8 (read as Windows-1252 when it is not), without the one
// apostrophe that the export puts before a cell a spreadsheet would take for a formula.
std::string CellText(std::string_view raw);

} // namespace velto
