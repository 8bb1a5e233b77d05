// The installation report: what it lists, in which order and words, and its HTML read back.
#include "CoreTestSupport.h"
#include "ReportHtml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace velto {
namespace {

// The document as lines: language and title, "fact: value", then per section "# heading (note)", the
// columns and the rows, cells joined by "|", line breaks in a cell written \n.
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

// A file's report beside the expected lines in report/NAME.LANGUAGE.txt: every record in key order
// with the program's words. full.xml uses every table, records out of key order, a device beyond
// the listed addresses and a bus mark without its digit.
TEST(Report, ListsEveryRecordInKeyOrderWithTheProgramsWords) {
    for (const std::string file : {"report/full.xml", "writer/worked_example.xml"}) {
        const test::LoadResult read = test::LoadFile(test::DataPath(file));
        const std::string name = file.substr(file.find('/') + 1);
        for (const bool italian : {true, false}) {
            const std::string expected =
                name.substr(0, name.size() - 4) + (italian ? ".ita.txt" : ".eng.txt");
            const ReportSource source{"/site/" + name, read.version, "2026-12-06 21:00"};
            EXPECT_EQ(Flatten(BuildReport(*read.model, source, italian)),
                      test::ReadBytes(test::DataPath("report/" + expected)))
                << expected;
        }
    }
    const ReportDocument empty = BuildReport(ConfigModel{}, {"", "", "now"}, true);
    EXPECT_EQ(empty.facts.front().value, "(non salvato)");
    EXPECT_TRUE(empty.sections.empty());
}

// The HTML parsed strictly gives back every heading and cell as it was, control characters shown as
// their symbols; each section after the first starts a page; every table repeats its headings.
TEST(Report, HtmlIsWellFormedAndKeepsEveryCharacter) {
    const test::LoadResult read = test::LoadFile(test::DataPath("report/full.xml"));
    ConfigModel* model = read.model.get();
    const std::string tricky = "<b>&amp; \"q\" 'a' é 中 😀\ttab\r\nCR LF \x01 ]]>";
    model->GroupTable[3] = tricky;
    model->ProbeTable[40] = "  spaced  ";
    const ReportDocument document = BuildReport(*model, {"/site/full.xml", "1.0.4", "now"}, false);
    const std::string html = ReportHtml(document);

    pugi::xml_document parsed;
    const pugi::xml_parse_result result =
        parsed.load_string(html.c_str(), pugi::parse_default | pugi::parse_doctype | pugi::parse_ws_pcdata);
    ASSERT_TRUE(result) << result.description() << " at " << result.offset;
    const pugi::xml_node body = parsed.child("html").child("body");
    EXPECT_EQ(std::string(body.child("h1").text().get()), "Installation report");
    EXPECT_FALSE(html.find("<script") != std::string::npos || html.find("src=") != std::string::npos);

    std::vector<std::string> headings;
    for (const pugi::xml_node h2 : body.children("h2")) {
        headings.push_back(h2.text().get());
        EXPECT_STREQ(h2.attribute("style").value(),
                     headings.size() == 1 ? "" : "page-break-before: always; break-before: page");
        const pugi::xml_node table = h2.next_sibling("table");
        const ReportSection& section = document.sections[headings.size() - 1];
        std::vector<std::string> columns;
        for (const pugi::xml_node th : table.child("thead").child("tr").children("th"))
            columns.push_back(th.text().get());
        EXPECT_EQ(columns, section.columns);
        std::vector<std::vector<std::string>> rows;
        for (const pugi::xml_node tr : table.child("tbody").children("tr")) {
            rows.emplace_back();
            for (const pugi::xml_node td : tr.children("td"))
                rows.back().push_back(td.text().get());
        }
        auto expected = section.rows;
        for (auto& row : expected)
            for (std::string& cell : row)
                if (const std::size_t at = cell.find('\x01'); at != std::string::npos)
                    cell.replace(at, 1, "\u2401");
        EXPECT_EQ(rows, expected) << section.heading;
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Device", "Groups", "Auxiliaries", "Load", "Probe",
                                                  "Cameras", "F420 scenarios", "MH200 scenarios"}));
}

} // namespace
} // namespace velto
