#include "ExportCsv.h"

namespace velto {
namespace {

void AppendField(std::string& csv, const std::string& field, char separator) {
    if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

template <typename Row, typename ToText>
void AppendRow(std::string& csv, const Row& row, char separator, ToText text) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            csv += separator;
        AppendField(csv, text(row[i]), separator);
    }
    csv += "\r\n";
}

} // namespace

std::string ValueText(const ExportValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? "true" : "false";
    return std::to_string(std::get<int>(value));
}

bool StartsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

bool NeedsApostrophe(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of('\'');
    return first != std::string_view::npos && StartsFormula(cell[first]);
}

std::string ExportCsv(const ExportTable& table, char separator, bool protectCells) {
    std::string csv = "\xEF\xBB\xBF";
    AppendRow(csv, table.fields, separator, [](const std::string& name) { return name; });
    for (const std::vector<ExportValue>& row : table.rows)
        AppendRow(csv, row, separator, [protectCells](const ExportValue& value) {
            const std::string text = ValueText(value);
            return protectCells && NeedsApostrophe(text) ? '\'' + text : text;
        });
    return csv;
}

} // namespace velto
