// The installation report: what it lists, in which order and words, and its HTML read back.
#include "CoreTestSupport.h"
#include "ReportHtml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace velto {
namespace {

// "language title", "fact: value" (facts, then counts), "# heading (note)", columns and rows ("|" between
// cells), then "party|name|date" for each signature; line breaks inside texts as \n.
std::string Flatten(const ReportDocument& document) {
    std::string text = document.language + " " + document.title + "\n";
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (const char c : (i ? "|" : "") + cells[i])
                text += c == '\n' ? std::string("\\n") : std::string(1, c);
        text += '\n';
    };
    for (const auto* facts : {&document.facts, &document.counts})
        for (const ReportFact& fact : *facts)
            line({fact.label + ": " + fact.value});
    for (const ReportSection& section : document.sections) {
        text += "# " + section.heading + (section.note.empty() ? "" : " (" + section.note + ")") + "\n";
        line(section.columns);
        for (const auto& row : section.rows)
            line(row);
    }
    line({document.nameLabel, document.dateLabel, document.signatureLabel});
    for (const ReportSignature& signature : document.signatures)
        line({signature.party, signature.name, signature.date});
    return text;
}

// The texts of the cells of an HTML table row, th or td.
std::vector<std::string> Cells(const pugi::xml_node row) {
    std::vector<std::string> cells;
    for (const pugi::xml_node cell : row.children())
        cells.push_back(cell.text().get());
    return cells;
}

const ReportProject kProject{"Anna Bianchi", "Via Roma 1, Città",
                             "Mario Rossi",  "",
                             "2026-12-07",   "Keys with the neighbour\nGate code 1234"};

// Each report beside its expected text: full.xml (every table, records out of key order, a device beyond
// the listed addresses, a bus mark without its digit, devices in an unnamed group and in group 9) with
// the project given but the company, the worked example without any project information.
TEST(Report, ListsEveryRecordInKeyOrderAndItsHtmlKeepsEveryCharacter) {
    // clang-format off
    const struct { const char* file; bool project, italian; const char* expected; } cases[] = {
        {"report/full.xml", true, true, "report/full.ita.txt"}, {"report/full.xml", true, false, "report/full.eng.txt"},
        {"writer/worked_example.xml", false, true, "report/worked_example.ita.txt"},
        {"writer/worked_example.xml", false, false, "report/worked_example.eng.txt"}};
    // clang-format on
    for (const auto& c : cases) {
        const test::Reading read = test::Load(test::DataPath(c.file), true);
        const ReportSource source{std::string("/site/") + c.file, read.version, "2026-12-06 21:00",
                                  c.project ? kProject : ReportProject{}};
        EXPECT_EQ(Flatten(BuildReport(*read.model, source, c.italian)),
                  test::ReadBytes(test::DataPath(c.expected)))
            << c.expected;
    }
    for (const auto& [path, shown] : {std::pair{"", "(non salvato)"}, {"/conf.xml", "conf.xml"}}) {
        const ReportDocument empty = BuildReport(ConfigModel{}, {path, "", "now", {}}, true);
        EXPECT_TRUE(empty.facts.front().value == shown && empty.sections.empty()) << shown;
    }

    // Parsed strictly, the HTML gives back the document, control characters as symbols, every table
    // with its heading inside its heading rows and the signature block last.
    const test::Reading read = test::Load(test::DataPath("report/full.xml"), true);
    read.model->GroupTable[3] = "<b>&amp; \"q\" 'a' é 中 😀\ttab\r\nCR LF \x01 \x7F ]]>";
    read.model->ProbeTable[40] = "  spaced  ";
    const ReportDocument document =
        BuildReport(*read.model, {"/site/full.xml", "1.0.4", "now", kProject}, false);
    const std::string html = ReportHtml(document);
    pugi::xml_document parsed;
    const auto result = parsed.load_string(html.c_str(), pugi::parse_default | pugi::parse_doctype);
    ASSERT_TRUE(result) << result.description() << " at " << result.offset;
    const pugi::xml_node body = parsed.child("html").child("body");
    ReportDocument back;
    back.language = parsed.child("html").attribute("lang").value();
    back.title = body.child("h1").text().get();
    pugi::xml_node table = body.child("table");
    for (const pugi::xml_node row : table.child("tbody").children("tr")) // two facts to a row
        for (std::size_t i = 0; i + 1 < Cells(row).size(); i += 2)
            if (!Cells(row)[i].empty())
                back.facts.push_back({Cells(row)[i], Cells(row)[i + 1]});
    table = table.next_sibling("table");
    for (std::size_t i = 0; i < Cells(table.child("thead").child("tr")).size(); ++i)
        back.counts.push_back(
            {Cells(table.child("thead").child("tr"))[i], Cells(table.child("tbody").child("tr"))[i]});
    while ((table = table.next_sibling("table")).attribute("class").value() == std::string("section")) {
        const pugi::xml_node heading = table.child("thead").child("tr"), columns = heading.next_sibling("tr");
        EXPECT_EQ(heading.first_child().attribute("colspan").as_uint(), Cells(columns).size());
        back.sections.push_back({heading.first_child().text().get(),
                                 heading.first_child().child("i").text().get(),
                                 Cells(columns),
                                 {}});
        for (const pugi::xml_node row : table.child("tbody").children("tr"))
            back.sections.back().rows.push_back(Cells(row));
    }
    for (const pugi::xml_node cell : table.child("tbody").child("tr").children("td")) {
        std::vector<std::string> lines; // "label: value" for the name, the date and the line to sign on
        for (const pugi::xpath_node text : cell.select_nodes("text()"))
            lines.push_back(text.node().value());
        back.nameLabel = lines.at(0).substr(0, lines[0].find(": "));
        back.dateLabel = lines.at(1).substr(0, lines[1].find(": "));
        back.signatureLabel = lines.at(2).substr(0, lines[2].find(": "));
        back.signatures.push_back({cell.child("b").text().get(), lines[0].substr(lines[0].find(": ") + 2),
                                   lines[1].substr(lines[1].find(": ") + 2)});
    }
    EXPECT_TRUE(table.next_sibling().empty());
    std::string expected = Flatten(document);
    for (const auto& [control, symbol] : {std::pair{'\x01', "\u2401"}, {'\x7F', "\u2421"}})
        for (std::size_t at; (at = expected.find(control)) != std::string::npos;)
            expected.replace(at, 1, symbol);
    EXPECT_EQ(Flatten(back), expected);
}

} // namespace
} // namespace velto
