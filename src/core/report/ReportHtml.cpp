#include "ReportHtml.h"

namespace velto {
namespace {

constexpr const char* kStyle = R"(
@page { size: A4; margin: 18mm 15mm; }
body { font-family: sans-serif; font-size: 10pt; color: #000; }
h1 { font-size: 18pt; margin: 0 0 6mm 0; }
h2 { font-size: 14pt; margin: 6mm 0 3mm 0; }
p.note { font-style: italic; margin: 0 0 3mm 0; }
table { border-collapse: collapse; width: 100%; }
thead { display: table-header-group; }
tr { page-break-inside: avoid; break-inside: avoid; }
th, td { border: 1px solid #777; text-align: left; vertical-align: top; white-space: pre-wrap; }
table.facts th { width: 35%; }
)";

// A heading cell (th, shaded) or a data cell (td).
void Cell(std::string& html, const char* tag, const std::string& text) {
    html += '<';
    html += tag;
    html += tag == std::string_view("th") ? " bgcolor=\"#e4e4e4\">" : ">";
    html += EscapeHtml(text);
    html += "</";
    html += tag;
    html += '>';
}

void Table(std::string& html, const ReportSection& section) {
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n<thead><tr>";
    for (const std::string& column : section.columns)
        Cell(html, "th", column);
    html += "</tr></thead>\n<tbody>\n";
    for (const std::vector<std::string>& row : section.rows) {
        html += "<tr>";
        for (const std::string& text : row)
            Cell(html, "td", text);
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";
}

} // namespace

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        case '\r':
            escaped += "&#13;";
            break;
        case '\t':
        case '\n':
            escaped += c;
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) { // U+2400 + code (U+2421 for DEL), in UTF-8
                const unsigned symbol = byte == 0x7F ? 0x2421 : 0x2400 + byte;
                escaped += char(0xE0 | (symbol >> 12));
                escaped += char(0x80 | ((symbol >> 6) & 0x3F));
                escaped += char(0x80 | (symbol & 0x3F));
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

std::string ReportHtml(const ReportDocument& document) {
    std::string html = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"" +
                       document.language + "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" +
                       EscapeHtml(document.title) + "</title>\n<style>" + kStyle +
                       "</style>\n</head>\n<body>\n";
    html += "<h1>" + EscapeHtml(document.title) + "</h1>\n";
    html +=
        "<table class=\"facts\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n<tbody>\n";
    for (const ReportFact& fact : document.facts) {
        html += "<tr>";
        Cell(html, "th", fact.label);
        Cell(html, "td", fact.value);
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";
    for (const ReportSection& section : document.sections) {
        const bool first = &section == &document.sections.front();
        html += first ? "<h2>" : "<h2 style=\"page-break-before: always; break-before: page\">";
        html += EscapeHtml(section.heading) + "</h2>\n";
        if (!section.note.empty())
            html += "<p class=\"note\">" + EscapeHtml(section.note) + "</p>\n";
        Table(html, section);
    }
    html += "</body>\n</html>\n";
    return html;
}

} // namespace velto
