// The installation report: what it lists, in which order and words, and its HTML read back.
#include "CoreTestSupport.h"
#include "ReportHtml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace velto {
namespace {

// "language title", the heading, the project information row by row ("label: value" with its detail in
// brackets, "|" between the two places), the notes, the counts, "# heading (note)", columns and rows ("|"
// between cells), then "party|name|date" for each signature; line breaks inside texts as \n.
std::string Flatten(const ReportDocument& document) {
    std::string text = document.language + " " + document.title + "\n";
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (const char c : (i ? "|" : "") + cells[i])
                text += c == '\n' ? std::string("\\n") : std::string(1, c);
        text += '\n';
    };
    const auto fact = [](const ReportFact& fact) {
        return fact.label.empty() && fact.value.empty()
                   ? std::string()
                   : fact.label + ": " + fact.value + (fact.detail.empty() ? "" : " (" + fact.detail + ")");
    };
    line({document.heading});
    for (const auto& row : document.project)
        line({fact(row[0]), fact(row[1])});
    if (!document.notes.label.empty())
        line({fact(document.notes)});
    for (const ReportFact& count : document.counts)
        line({fact(count)});
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

const ReportProject kProject{"Anna Bianchi",
                             "Via Roma 1, Città",
                             "Mario Rossi",
                             "",
                             CalendarDate{2026, 12, 7},
                             "Keys with the neighbour\nGate code 1234"};
const DateAndTime kProducedAt{{2026, 12, 6}, 21, 0};

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
        const ReportSource source{std::string("/site/") + c.file, read.version, "", kProducedAt,
                                  c.project ? kProject : ReportProject{}};
        EXPECT_EQ(Flatten(BuildReport(*read.model, source, c.italian)),
                  test::ReadBytes(test::DataPath(c.expected)))
            << c.expected;
    }
    for (const auto& [path, shown] : {std::pair{"", "(non salvato)"}, {"/conf.xml", "conf.xml"}}) {
        const ReportDocument empty = BuildReport(ConfigModel{}, {path, "", "", kProducedAt, {}}, true);
        EXPECT_TRUE(empty.project[1][1].value == shown && empty.heading == shown && empty.sections.empty() &&
                    empty.counts.size() == 7) // no MH200 scenarios, no count of them
            << shown;
    }

    // Parsed strictly, the HTML gives back the document, control characters as symbols, the heading once
    // above the title, every table with its heading inside its heading rows and the signature block last.
    // Only the company is given besides the notes: every other place stays where it is, blank.
    const test::Reading read = test::Load(test::DataPath("report/full.xml"), true);
    read.model->GroupTable[3] = "<b>&amp; \"q\" 'a' é 中 😀\ttab\r\nCR LF \x01 \x7F ]]>";
    read.model->ProbeTable[40] = "  spaced  ";
    const ReportDocument document = BuildReport(
        *read.model,
        {"/site/full.xml", "1.0.4", "sha256:1f2e", kProducedAt, {"", "", "", "Rossi", {}, "Keys"}}, false);
    EXPECT_EQ(document.project[3][0].value + document.project[1][1].detail, "Rossisha256:1f2e");
    const std::string html = ReportHtml(document);
    EXPECT_EQ(ReportHtml(document, Heading::onEveryPage).find("<p class=\"heading\""), std::string::npos);
    pugi::xml_document parsed;
    const auto result = parsed.load_string(html.c_str(), pugi::parse_default | pugi::parse_doctype);
    ASSERT_TRUE(result) << result.description() << " at " << result.offset;
    const pugi::xml_node body = parsed.child("html").child("body");
    ReportDocument back;
    back.language = parsed.child("html").attribute("lang").value();
    back.heading = body.child("p").text().get();
    EXPECT_EQ(body.child("p").next_sibling().name(), std::string("h1"));
    back.title = body.child("h1").text().get();
    pugi::xml_node table = body.child("table");
    const auto fact = [](pugi::xml_node label) {
        return ReportFact{label.text().get(), label.next_sibling().text().get(),
                          label.next_sibling().child("br").next_sibling().value()};
    };
    std::size_t row = 0;
    for (const pugi::xml_node tr : table.child("tbody").children("tr"))
        back.project.at(row++) = {fact(tr.first_child()),
                                  fact(tr.first_child().next_sibling().next_sibling())};
    const pugi::xml_node notes = table.next_sibling(); // right under the project information
    EXPECT_EQ(notes.attribute("class").value(), std::string("notes"));
    const std::string label = notes.child("b").text().get(), text = notes.child("b").next_sibling().value();
    back.notes = {label.substr(0, label.size() - 1), text.substr(1), {}}; // "Label:" and " text"
    table = table.next_sibling("table");
    for (std::size_t i = 0; i < Cells(table.child("thead").child("tr")).size(); ++i)
        back.counts.push_back(
            {Cells(table.child("thead").child("tr"))[i], Cells(table.child("tbody").child("tr"))[i], {}});
    while ((table = table.next_sibling("table")).attribute("class").value() == std::string("section")) {
        const pugi::xml_node heading = table.child("thead").child("tr"), columns = heading.next_sibling("tr");
        EXPECT_EQ(heading.first_child().attribute("colspan").as_uint(), Cells(columns).size());
        back.sections.push_back({heading.first_child().text().get(),
                                 heading.first_child().child("i").text().get(),
                                 Cells(columns),
                                 {}});
        for (const pugi::xml_node tr : table.child("tbody").children("tr"))
            back.sections.back().rows.push_back(Cells(tr));
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

// A date is read as ISO or in the Italian form, by numbers or in words, and only as a day the calendar
// has; the report writes it in the language's words.
TEST(Report, ReadsDatesInTheFormsGivenAndWritesThemInWords) {
    // clang-format off
    const struct { const char* typed; CalendarDate read; } cases[] = {
        {"2026-12-07", {2026, 12, 7}}, {"07/12/2026", {2026, 12, 7}}, {"7/1/2026", {2026, 1, 7}},
        {"7 dicembre 2026", {2026, 12, 7}}, {"31 Gennaio 2026", {2026, 1, 31}}, {"29/02/2024", {2024, 2, 29}},
        {"29/02/2000", {2000, 2, 29}},
        {"29/02/2026", {}}, {"29/02/1900", {}}, {"31/04/2026", {}}, {"2026-13-01", {}}, {"2026-12-7", {}},
        {"0000-01-01", {}}, {"12/07/26", {}}, {"07-12-2026", {}}, {"7 December 2026", {}}, {"7 dicembre 2026 ", {}},
        {"7  dicembre 2026", {}}, {"7 dic 2026", {}}, {"007/12/2026", {}}, {"7/12/20260", {}}, {"", {}},
        {"2026-12-07T10", {}}, {"0/12/2026", {}}};
    // clang-format on
    for (const auto& c : cases) {
        const std::optional<CalendarDate> read = ParseDate(c.typed);
        EXPECT_EQ(read.value_or(CalendarDate{}), c.read) << c.typed;
        if (read) {
            EXPECT_EQ(ParseDate(IsoDate(*read)), read) << c.typed;
        }
    }
    EXPECT_EQ(IsoDate({987, 3, 4}), "0987-03-04");
    EXPECT_EQ(DateText({2026, 12, 7}, true) + " | " + DateAndTimeText({{2026, 1, 31}, 9, 5}, false),
              "7 dicembre 2026 | 31 January 2026, 09:05");
    ReportDocument pages;
    pages.pageLabel = "pagina";
    pages.ofLabel = "di";
    EXPECT_EQ(PageNumberText(pages, 2, 13), "pagina 2 di 13");
}

// A name, an address or a version of millions of characters is named shortened, as the window shows it;
// each of a group's devices keeps its line.
TEST(Report, VeryLongTextsAreShortened) {
    const std::string huge(1'000'000, 'x'), shown = std::string(256, 'x') + "\u2026";
    ConfigModel model;
    model.DeviceTable[5] = {huge, false, 2, "1", 0, 1};
    model.DeviceTable[6] = {"Fan", false, 2, "1", 0, 2};
    model.GroupTable[2] = huge;
    model.CameraTable[1] = {huge, "4001" + huge};
    model.Mh200ScenarioTable[1] = {huge, huge, huge};
    const ReportDocument report = BuildReport(model, {"/conf.xml", huge, "", kProducedAt, {}}, false);
    EXPECT_EQ(report.project[2][1].value, shown);
    std::vector<std::vector<std::string>> rows;
    for (const ReportSection& section : report.sections)
        rows.insert(rows.end(), section.rows.begin(), section.rows.end());
    const std::vector<std::vector<std::string>> expected{
        {"5", shown, "dimmer", "2 " + shown},
        {"6", "Fan", "dimmer", "2 " + shown},
        {"2", shown, "5 " + shown + "\n6 Fan"},
        {"1", shown, "4001" + std::string(252, 'x') + "\u2026", "Private"},
        {"1", shown, shown, shown}};
    EXPECT_EQ(rows, expected);
}

// Notes are cut after their twentieth line or thousandth character, never inside a character.
TEST(Report, NotesAreCutToWhatAReportTakes) {
    using test::Repeat;
    const auto lines = [](std::size_t count) { return "a" + Repeat("\na", count - 1); };
    // clang-format off
    const struct { std::string given, kept; } cases[] = {
        {lines(20), lines(20)}, {lines(21), lines(20)}, {lines(50000), lines(20)}, {lines(20) + "\n", lines(20)},
        {Repeat("é", 1000), Repeat("é", 1000)}, {Repeat("中", 1001), Repeat("中", 1000)},
        {Repeat("x", 999) + "😀😀", Repeat("x", 999) + "😀"}, {"", ""}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(FittingNotes(c.given), c.kept) << c.given.substr(0, 40);
}

} // namespace
} // namespace velto
