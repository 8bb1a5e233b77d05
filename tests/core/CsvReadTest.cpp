#include "CsvRead.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

// Each row read: "LINE: cell|cell", then " !" and the fault's number when it has one.
std::vector<std::string> Rows(std::string_view csv, char separator = ',') {
    std::vector<std::string> rows;
    ReadCsv(csv, separator, [&](CsvRow&& row) {
        std::string text = std::to_string(row.line) + ":";
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            text += (i ? "|" : " ") + row.cells[i];
        if (row.fault != CsvFault::None)
            text += " !" + std::to_string(int(row.fault));
        rows.push_back(text);
        return true;
    });
    return rows;
}

TEST(CsvRead, RowsAtTheEdges) {
    const int afterQuote = int(CsvFault::TextAfterQuote);
    // clang-format off
    const struct { const char* what; std::string csv; std::vector<std::string> rows; } cases[] = {
        {"an empty key is an empty first cell", "number,name\n,Kitchen\n", {"1: number|name", "2: |Kitchen"}},
        {"text after a closing quote is a fault of its row alone", "\"\"5,Lamp,1\r\n7,Hall,2\r\n",
         {"1:  !" + std::to_string(afterQuote), "2: 7|Hall|2"}},
        {"a last row ending in a separator, with no line break", "1,Kitchen,", {"1: 1|Kitchen|"}},
        {"the same after a quoted cell", "1,\"Kit\"\"chen\",", {"1: 1|Kit\"chen|"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.csv), c.rows) << c.what;
}

// The separator is the one the heading row uses between its cells: a "," inside a quoted heading, or a
// few "," in a heading split by many ";", do not make it ",".
TEST(CsvRead, SeparatorFoundFromTheHeadingRow) {
    const std::pair<std::string_view, char> headings[] = {{"point;name;type\n1,5;x;y", ';'},
                                                          {"point,name;x,type\n", ','},
                                                          {"\"nome, cognome\";indirizzo\n", ';'},
                                                          {"indirizzo;nome;tipo;gruppo,x\n", ';'},
                                                          {"number,name", ','},
                                                          {"", ','},
                                                          {"\"a;b;c\",d\n", ','}};
    for (const auto& [csv, separator] : headings)
        EXPECT_EQ(FindSeparator(csv), separator) << csv;
}

} // namespace
} // namespace velto
