// The installation report: what it lists, in which order and words, and its HTML read back.
#include "CoreTestSupport.h"
#include "ReportHtml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace velto {
namespace {

// "language title", "fact: value", then "# heading (note)", columns and rows ("|" between cells, \n).
std::string Flatten(const ReportDocument& document) {
    std::string text = document.language + " " + document.title + "\n";
    for (const ReportFact& fact : document.facts)
        text += fact.label + ": " + fact.value + "\n";
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (const char c : (i ? "|" : "") + cells[i])
                text += c == '\n' ? std::string("\\n") : std::string(1, c);
        text += '\n';
    };
    for (const ReportSection& section : document.sections) {
        text += "# " + section.heading + (section.note.empty() ? "" : " (" + section.note + ")") + "\n";
        line(section.columns);
        for (const auto& row : section.rows)
            line(row);
    }
    return text;
}

// The texts of the cells of an HTML table row, th or td.
std::vector<std::string> Cells(const pugi::xml_node row) {
    std::vector<std::string> cells;
    for (const pugi::xml_node cell : row.children())
        cells.push_back(cell.text().get());
    return cells;
}

// The report of full.xml (every table, records out of key order, a device beyond the listed addresses, a bus
// mark without its digit) beside report/full.LANGUAGE.txt; an empty configuration has no sections.
TEST(Report, ListsEveryRecordInKeyOrderAndItsHtmlKeepsEveryCharacter) {
    const test::Reading read = test::Load(test::DataPath("report/full.xml"), true);
    for (const bool italian : {true, false}) {
        const std::string expected = italian ? "report/full.ita.txt" : "report/full.eng.txt";
        const ReportSource source{"/site/full.xml", read.version, "2026-12-06 21:00"};
        EXPECT_EQ(Flatten(BuildReport(*read.model, source, italian)),
                  test::ReadBytes(test::DataPath(expected)))
            << expected;
    }
    const ReportDocument empty = BuildReport(ConfigModel{}, {"", "", "now"}, true);
    EXPECT_TRUE(empty.facts.front().value == "(non salvato)" && empty.sections.empty());

    // Parsed strictly, the HTML gives back the document, control characters as symbols, a page per section.
    read.model->GroupTable[3] = "<b>&amp; \"q\" 'a' é 中 😀\ttab\r\nCR LF \x01 ]]>";
    read.model->ProbeTable[40] = "  spaced  ";
    const ReportDocument document = BuildReport(*read.model, {"/site/full.xml", "1.0.4", "now"}, false);
    const std::string html = ReportHtml(document);
    EXPECT_EQ(html.find("<script"), std::string::npos);

    pugi::xml_document parsed;
    const auto result = parsed.load_string(html.c_str(), pugi::parse_default | pugi::parse_doctype);
    ASSERT_TRUE(result) << result.description() << " at " << result.offset;
    const pugi::xml_node body = parsed.child("html").child("body");
    ReportDocument back{
        parsed.child("html").attribute("lang").value(), body.child("h1").text().get(), {}, {}};
    for (const pugi::xml_node row : body.child("table").child("tbody").children("tr"))
        back.facts.push_back({Cells(row)[0], Cells(row)[1]});
    for (const pugi::xml_node h2 : body.children("h2")) {
        EXPECT_STREQ(h2.attribute("style").value(),
                     back.sections.empty() ? "" : "page-break-before: always; break-before: page");
        const pugi::xml_node note = h2.next_sibling(), table = h2.next_sibling("table");
        back.sections.push_back({h2.text().get(),
                                 note.name() == std::string("p") ? note.text().get() : "",
                                 Cells(table.child("thead").child("tr")),
                                 {}});
        for (const pugi::xml_node row : table.child("tbody").children("tr"))
            back.sections.back().rows.push_back(Cells(row));
    }
    std::string expected = Flatten(document);
    for (std::size_t at; (at = expected.find('\x01')) != std::string::npos;)
        expected.replace(at, 1, "\u2401");
    EXPECT_EQ(Flatten(back), expected);
}

} // namespace
} // namespace velto
