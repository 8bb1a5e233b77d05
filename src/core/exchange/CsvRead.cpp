#include "CsvRead.h"

#include "ExportCsv.h"
#include "TextEncoding.h"

#include <algorithm>

namespace velto {

char FindSeparator(std::string_view csv) {
    std::size_t semicolons = 0, commas = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size() && (quoted || csv[i] != '\n'); ++i) {
        quoted = quoted != (csv[i] == '"');
        semicolons += !quoted && csv[i] == ';';
        commas += !quoted && csv[i] == ',';
    }
    return semicolons > commas ? ';' : ',';
}

std::string CellText(std::string_view raw) {
    std::string text = TextToUtf8(raw);
    if (text.starts_with('\'') && NeedsApostrophe(std::string_view(text).substr(1)))
        text.erase(0, 1);
    return text;
}

namespace {

// The control characters no conf.xml can hold, so that no table exported from one has them.
bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n';
}

// Keeps a cell of the row, while the row may still take one.
void Keep(CsvRow& row, std::string_view cell) {
    if (row.fault == CsvFault::ControlCharacter)
        return;
    if (std::any_of(cell.begin(), cell.end(), IsControl)) {
        row.fault = CsvFault::ControlCharacter;
        row.cells.clear();
    } else if (row.cells.size() == kMostCsvCells) {
        row.fault = row.fault == CsvFault::None ? CsvFault::TooManyCells : row.fault;
    } else {
        row.cells.push_back(CellText(cell));
    }
}

} // namespace

void ReadCsv(std::string_view csv, char separator, const std::function<bool(CsvRow&&)>& take) {
    if (csv.starts_with("\xEF\xBB\xBF"))
        csv.remove_prefix(3);
    const std::size_t size = csv.size();
    const auto lineEndAt = [&](std::size_t i) {
        return csv[i] == '\n' || (csv[i] == '\r' && (i + 1 == size || csv[i + 1] == '\n'));
    };
    std::size_t i = 0;
    int line = 1;
    std::string cell;
    while (i < size) {
        CsvRow row{line, {}, CsvFault::None};
        row.cells.reserve(8);
        bool blank = true;
        for (bool more = true; more;) {
            cell.clear();
            if (csv[i] == '"') {
                bool closed = false;
                for (++i; i < size && !closed; ++i) {
                    if (csv[i] == '"' && i + 1 < size && csv[i + 1] == '"')
                        cell += csv[i++];
                    else if (csv[i] == '"')
                        closed = true;
                    else
                        cell += csv[i];
                    line += csv[i] == '\n';
                }
                if (!closed)
                    row.fault = CsvFault::OpenQuote;
                else if (i < size && csv[i] != separator && !lineEndAt(i))
                    for (row.fault = CsvFault::TextAfterQuote; i < size && csv[i] != '\n';)
                        ++i;
            } else {
                const std::size_t from = i;
                while (i < size && csv[i] != separator && !lineEndAt(i))
                    ++i;
                cell.assign(csv.substr(from, i - from));
            }
            blank = blank && cell.empty();
            Keep(row, cell);
            more = i < size && csv[i] == separator;
            if (more && ++i == size) { // a separator that ends the file leaves one empty cell
                Keep(row, {});
                more = false;
            }
        }
        if (i < size) {
            i += csv[i] == '\r' ? 2 : 1;
            ++line;
        }
        if ((!blank || row.fault != CsvFault::None) && !take(std::move(row)))
            return;
    }
}

} // namespace velto
