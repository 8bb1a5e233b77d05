#pragma once

#include "ExportTables.h"

#include <string>
#include <string_view>

namespace velto {

// A value as a cell holds it: the text, the number in decimal, or true or false.
std::string ValueText(const ExportValue& value);

// Whether a spreadsheet would take a cell beginning with the character as a formula: = + - @, TAB, CR.
bool StartsFormula(char c);
// Whether a cell needs the apostrophe that makes a spreadsheet take it as text: it begins with such a
// character, after any apostrophes (so that the one apostrophe a reader removes gives the cell back).
bool NeedsApostrophe(std::string_view cell);

// One table as CSV (RFC 4180): UTF-8 with a byte-order mark, a heading row of the field names, CR LF
// after every row, a field quoted when it holds the separator, a quote, CR or LF. Unless told not to
// protect cells, a cell that NeedsApostrophe is written after an apostrophe ('=1+1).
std::string ExportCsv(const ExportTable& table, char separator, bool protectCells = true);

} // namespace velto
