#include "CsvRead.h"

#include "ExportCsv.h"
#include "TextEncoding.h"

#include <algorithm>

namespace velto {

char FindSeparator(std::string_view csv) {
    const std::string_view first = csv.substr(0, csv.find('\n'));
    return first.find(';') != std::string_view::npos && first.find(',') == std::string_view::npos ? ';' : ',';
}

std::string CellText(std::string_view raw) {
    std::string text = TextToUtf8(raw);
    if (text.starts_with('\'') && NeedsApostrophe(std::string_view(text).substr(1)))
        text.erase(0, 1);
    return text;
}

std::vector<CsvRow> ReadCsv(std::string_view csv, char separator) {
    if (csv.starts_with("\xEF\xBB\xBF"))
        csv.remove_prefix(3);
    const std::size_t size = csv.size();
    const auto lineEndAt = [&](std::size_t i) {
        return csv[i] == '\n' || (csv[i] == '\r' && (i + 1 == size || csv[i + 1] == '\n'));
    };
    std::vector<CsvRow> rows;
    std::size_t i = 0;
    int line = 1;
    while (i < size) {
        CsvRow row{line, {}, CsvFault::None};
        for (bool more = true; more;) {
            std::string cell;
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
                for (; i < size && csv[i] != separator && !lineEndAt(i); ++i)
                    cell += csv[i];
            }
            row.cells.push_back(CellText(cell));
            more = i < size && csv[i] == separator;
            if (more && ++i == size) { // a separator that ends the file leaves one empty cell
                row.cells.emplace_back();
                more = false;
            }
        }
        if (i < size) {
            i += csv[i] == '\r' ? 2 : 1;
            ++line;
        }
        const bool blank = std::all_of(row.cells.begin(), row.cells.end(), [](auto& c) { return c.empty(); });
        if (!blank || row.fault != CsvFault::None)
            rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace velto
