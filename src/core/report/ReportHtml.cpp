#include "ReportHtml.h"

#include "TextEncoding.h"

namespace velto {
namespace {

// Both the window's layout and browsers read this: breaks fall between rows, a table's heading rows
// repeat on the next page, the signature block stays whole.
constexpr const char* kStyle = R"(
@page { size: A4; margin: 12mm 15mm; }
body { font-family: sans-serif; font-size: 10pt; color: #000; }
p.heading { font-size: 9pt; margin: 0 0 2mm 0; border-bottom: 1px solid #777; }
p.notes { white-space: pre-wrap; margin: 0 0 3mm 0; }
h1 { font-size: 16pt; margin: 0 0 3mm 0; }
table { border-collapse: collapse; width: 100%; margin: 0 0 3mm 0; }
thead { display: table-header-group; }
tr { page-break-inside: avoid; break-inside: avoid; }
th, td { border: 1px solid #777; text-align: left; vertical-align: top; white-space: pre-wrap; }
th.heading { font-size: 12pt; border: none; padding: 2mm 0 1mm 0; }
th.heading i { font-size: 10pt; font-weight: normal; }
table.signatures { page-break-inside: avoid; break-inside: avoid; margin-top: 6mm; }
table.signatures td { border: none; width: 50%; }
)";

const std::string kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"";

// A heading cell (th, shaded) or a data cell (td); a span above 1 joins that many columns.
void Cell(std::string& html, const char* tag, const std::string& text, std::size_t span = 1) {
    const bool heading = tag == std::string_view("th");
    html += '<';
    html += tag;
    if (span > 1)
        html += " colspan=\"" + std::to_string(span) + '"';
    html += heading ? " bgcolor=\"#e4e4e4\">" : ">";
    html += EscapeHtml(text);
    html += "</";
    html += tag;
    html += '>';
}

void Row(std::string& html, const char* tag, const std::vector<std::string>& cells) {
    html += "<tr>";
    for (const std::string& text : cells)
        Cell(html, tag, text);
    html += "</tr>\n";
}

// The project information in its fixed places, two to a row; then the notes across the width, as a
// paragraph of their own rather than a table cell, so that however long they are they break across
// pages line by line.
void Project(std::string& html, const ReportDocument& document) {
    html += kTable + " class=\"facts\">\n<tbody>\n";
    for (const auto& row : document.project) {
        html += "<tr>";
        for (const ReportFact& fact : row) {
            Cell(html, "th", fact.label);
            html += "<td>" + EscapeHtml(fact.value);
            if (!fact.detail.empty())
                html += "<br/>" + EscapeHtml(fact.detail); // as large as the rest, to be read and matched
            html += "</td>";
        }
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";
    if (!document.notes.value.empty())
        html += "<p class=\"notes\"><b>" + EscapeHtml(document.notes.label) + ":</b> " +
                EscapeHtml(document.notes.value) + "</p>\n";
}

void Counts(std::string& html, const std::vector<ReportFact>& counts) {
    std::vector<std::string> labels, values;
    for (const ReportFact& count : counts) {
        labels.push_back(count.label);
        values.push_back(count.value);
    }
    html += kTable + " class=\"counts\">\n<thead>\n";
    Row(html, "th", labels);
    html += "</thead>\n<tbody>\n";
    Row(html, "td", values);
    html += "</tbody>\n</table>\n";
}

void Section(std::string& html, const ReportSection& section) {
    html += kTable + " class=\"section\">\n<thead>\n<tr><th class=\"heading\" colspan=\"" +
            std::to_string(section.columns.size()) + "\">" + EscapeHtml(section.heading);
    if (!section.note.empty())
        html += "<br/><i>" + EscapeHtml(section.note) + "</i>";
    html += "</th></tr>\n";
    Row(html, "th", section.columns);
    html += "</thead>\n<tbody>\n";
    for (const std::vector<std::string>& row : section.rows)
        Row(html, "td", row);
    html += "</tbody>\n</table>\n";
}

// Each party's name and date, and a line to sign on.
void Signatures(std::string& html, const ReportDocument& document) {
    if (document.signatures.empty())
        return;
    html += "<table class=\"signatures\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\" "
            "width=\"100%\">\n<tbody>\n<tr>";
    for (const ReportSignature& signature : document.signatures)
        html += "<td><b>" + EscapeHtml(signature.party) + "</b><br/>" + EscapeHtml(document.nameLabel) +
                ": " + EscapeHtml(signature.name) + "<br/>" + EscapeHtml(document.dateLabel) + ": " +
                EscapeHtml(signature.date) + "<br/><br/><br/>" + EscapeHtml(document.signatureLabel) +
                ": ______________________________</td>";
    html += "</tr>\n</tbody>\n</table>\n";
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
            if (byte < 0x20)
                AppendUtf8(escaped, 0x2400 + byte);
            else if (byte == 0x7F)
                AppendUtf8(escaped, 0x2421);
            else
                escaped += c;
        }
    }
    return escaped;
}

std::string ReportHtml(const ReportDocument& document, Heading heading) {
    std::string html = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"" +
                       document.language + "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" +
                       EscapeHtml(document.title) + "</title>\n<style>" + kStyle +
                       "</style>\n</head>\n<body>\n";
    if (heading == Heading::inBody)
        html += "<p class=\"heading\">" + EscapeHtml(document.heading) + "</p>\n";
    html += "<h1>" + EscapeHtml(document.title) + "</h1>\n";
    Project(html, document);
    Counts(html, document.counts);
    for (const ReportSection& section : document.sections)
        Section(html, section);
    Signatures(html, document);
    html += "</body>\n</html>\n";
    return html;
}

} // namespace velto
