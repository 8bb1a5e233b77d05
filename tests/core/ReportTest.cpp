// The installation report: what it lists, in which order and words, and its HTML read back.
#include "CoreTestSupport.h"
#include "ReportHtml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace velto {
namespace {

using test::Lines;

// The document as lines: "title", "fact: value", then per section "# heading (note)", the columns and
// the rows, cells joined by "|".
Lines Flatten(const ReportDocument& document) {
    Lines lines{document.language + " " + document.title};
    for (const ReportFact& fact : document.facts)
        lines.push_back(fact.label + ": " + fact.value);
    const auto join = [](const std::vector<std::string>& cells) {
        std::string line;
        for (const std::string& cell : cells)
            line += (line.empty() ? "" : "|") + cell;
        return line;
    };
    for (const ReportSection& section : document.sections) {
        lines.push_back("# " + section.heading + (section.note.empty() ? "" : " (" + section.note + ")"));
        lines.push_back(join(section.columns));
        for (const auto& row : section.rows)
            lines.push_back(join(row));
    }
    return lines;
}

// Every table used, records entered out of key order, a device beyond the listed addresses.
std::unique_ptr<ConfigModel> FullModel() {
    auto model = std::make_unique<ConfigModel>();
    model->DeviceTable[37] = {"Blind", false, 0, "2", 0, 3};
    model->DeviceTable[12] = {"Lamp, hall", false, 3, "1d", 0, 2};
    model->DeviceTable[5] = {"Spot", false, 3, "1", 0, 1};
    model->DeviceTable[150] = {"Far", false, 3, "1", 0, 4};
    model->GroupTable[7] = "Garden";
    model->GroupTable[3] = "Kitchen";
    model->AuxTable[2] = "Bell";
    model->LoadTable[9] = "Oven";
    model->LoadTable[2] = "Washer";
    model->ProbeTable[40] = "Hall";
    model->CameraTable[5] = {"Gate", "4100#2"};
    model->CameraTable[1] = {"Door", "4000"};
    model->ScenarioTable[3] = {"Evening", "12#4#2"};
    model->ScenarioTable[1] = {"Morning", "7"};
    model->ScenarioTable[16] = {"Odd", "5#4#x"}; // only a file brings a bus mark without its digit
    model->Mh200ScenarioTable[7] = {"Away", "0099", "9999"};
    return model;
}

const ReportSource kSource{"/home/inst/conf.xml", "1.0.4", "2026-12-06 21:00"};

// clang-format off
const Lines kFullItalian{
    "it Rapporto di installazione", "File: conf.xml", "Cartella: /home/inst", "Versione del file: 1.0.4",
    "Prodotto il: 2026-12-06 21:00", "Attuatori: 3", "Gruppi: 2", "Ausiliari: 1", "Carichi: 2", "Sonde: 1",
    "Telecamere: 2", "Scenari F420: 3", "Scenari MH200: 1",
    "# Attuatori", "indirizzo|nome|Tipo|gruppo", "5|Spot|dimmer|3 Kitchen", "12|Lamp, hall|on/off|3 Kitchen", "37|Blind|autom.|0",
    "# Gruppi", "numero|nome|attuatori", "3|Kitchen|5 Spot\n12 Lamp, hall", "7|Garden|",
    "# Ausiliari", "numero|nome", "2|Bell",
    "# Carichi", "priorità|nome", "2|Washer", "9|Oven",
    "# Sonde", "zona|nome", "40|Hall",
    "# Telecamere", "numero|nome|indirizzo|montante", "1|Door|4000|Privato", "5|Gate|4100|Pubblico",
    "# Scenari F420", "numero|nome|indirizzo|montante", "1|Morning|7|privato", "3|Evening|12|locale I=2", "16|Odd|5|privato",
    "# Scenari MH200 (Letti dal file: il formato del file non li conserva al salvataggio.)",
    "numero|nome|attivazione cen|disattivazione cen", "7|Away|0099|9999"};
const Lines kFullEnglish{
    "en Installation report", "File: conf.xml", "Folder: /home/inst", "File version: 1.0.4",
    "Produced on: 2026-12-06 21:00", "Device: 3", "Groups: 2", "Auxiliaries: 1", "Load: 2", "Probe: 1",
    "Cameras: 2", "F420 scenarios: 3", "MH200 scenarios: 1",
    "# Device", "address|name|type|group", "5|Spot|dimmer|3 Kitchen", "12|Lamp, hall|on/off|3 Kitchen", "37|Blind|autom.|0",
    "# Groups", "number|name|devices", "3|Kitchen|5 Spot\n12 Lamp, hall", "7|Garden|",
    "# Auxiliaries", "number|name", "2|Bell",
    "# Load", "priority|name", "2|Washer", "9|Oven",
    "# Probe", "zone|name", "40|Hall",
    "# Cameras", "number|name|address|bus", "1|Door|4000|Private", "5|Gate|4100|Local rise",
    "# F420 scenarios", "number|name|address|bus", "1|Morning|7|Private", "3|Evening|12|local I=2", "16|Odd|5|Private",
    "# MH200 scenarios (Read from the file: the file format does not keep them on save.)",
    "number|name|cen activation|cen deactivation", "7|Away|0099|9999"};
const Lines kWorkedExampleEnglish{
    "en Installation report", "File: worked_example.xml", "Folder: /data", "File version: 1.0.4",
    "Produced on: today", "Device: 1", "Groups: 1", "Auxiliaries: 1", "Load: 1", "Probe: 1", "Cameras: 1",
    "F420 scenarios: 1", "MH200 scenarios: 0",
    "# Device", "address|name|type|group", "5|Lamp|dimmer|2 Ground floor",
    "# Groups", "number|name|devices", "2|Ground floor|5 Lamp",
    "# Auxiliaries", "number|name", "1|Intercom",
    "# Load", "priority|name", "1|Oven",
    "# Probe", "zone|name", "3|Living room",
    "# Cameras", "number|name|address|bus", "1|Entrance|4001|Private",
    "# F420 scenarios", "number|name|address|bus", "2|Night|12|Private"};
// clang-format on

TEST(Report, ListsEveryRecordInKeyOrderWithTheProgramsWords) {
    const auto full = FullModel();
    EXPECT_EQ(Flatten(BuildReport(*full, kSource, true)), kFullItalian);
    EXPECT_EQ(Flatten(BuildReport(*full, kSource, false)), kFullEnglish);

    const test::LoadResult example = test::LoadFile(test::DataPath("writer/worked_example.xml"));
    const Lines english =
        Flatten(BuildReport(*example.model, {"/data/worked_example.xml", example.version, "today"}, false));
    EXPECT_EQ(english, kWorkedExampleEnglish);
    const Lines italian =
        Flatten(BuildReport(*example.model, {"/data/worked_example.xml", example.version, "today"}, true));
    EXPECT_EQ(italian[13], "# Attuatori");
    EXPECT_EQ(italian.back(), "2|Night|12|privato");
}

TEST(Report, LeavesOutEmptyTables) {
    const ConfigModel empty{};
    const ReportDocument document = BuildReport(empty, {"", "", "now"}, true);
    EXPECT_EQ(document.facts.front().value, "(non salvato)");
    EXPECT_TRUE(document.sections.empty());
}

// The HTML parsed strictly gives back every heading and cell as it was, control characters shown as
// their symbols; each section starts a page and repeats its headings.
TEST(Report, HtmlIsWellFormedAndKeepsEveryCharacter) {
    auto model = FullModel();
    const std::string tricky = "<b>&amp; \"q\" 'a' é 中 😀\ttab\r\nCR LF \x01 ]]>";
    model->GroupTable[3] = tricky;
    model->ProbeTable[40] = "  spaced  ";
    const ReportDocument document = BuildReport(*model, kSource, false);
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
        EXPECT_STREQ(h2.attribute("style").value(), "page-break-before: always");
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
