#include "TableImport.h"

#include "ConfWriter.h"
#include "CoreTestSupport.h"
#include "ExportCsv.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

using namespace test;
using namespace std::string_literals;

// The reasons an address is refused, after its text.
const std::string kDevice = "' is not a device address (1 to 99, not ending in 0)";
const std::string kCamera = "' is not a camera address (4000 to 5000, then #2 on a local riser)";
const std::string kScenario =
    "' is not a scenario address (0 to 98, then #4# and the bus 1 to 9 on a local bus)";

// What an import gives: the summary and the table's used slots afterwards, or "LINE: reason" per refusal.
Lines Imported(const ConfigModel& model, TableId table, const std::string& csv, bool replace = false,
               char separator = 0) {
    const ImportOutcome outcome = ImportTable(model, csv, {table, separator, replace, false});
    Lines lines;
    for (const RefusedRow& row : outcome.refused)
        lines.push_back(std::to_string(row.line) + ": " + row.reason);
    if (outcome.result)
        lines.push_back(ImportSummary(outcome, table, false));
    const char* const elements[] = {"device ", "group ", "load ", "aux ", "probe ", "camera ", "scf420 "};
    for (const std::string& line : outcome.result ? Dump(*outcome.result) : Lines{})
        if (line.starts_with(elements[std::size_t(table)]))
            lines.push_back(line);
    return lines;
}

// Every file is imported into a configuration holding devices 5 and 9, group 2, camera 1 and scenario 1.
TEST(TableImport, RowsAreCheckedByTheEditorsRules) {
    ConfigModel model;
    model.DeviceTable[5] = {"Old", false, 0, "1", 0, 1};
    model.DeviceTable[9] = {"Nine", false, 0, "2", 0, 2};
    model.GroupTable[2] = "Old";
    model.CameraTable[1] = {"Cam", "4000"};
    model.ScenarioTable[1] = {"Sce", "1"};
    using T = TableId;
    // clang-format off
    const struct { const char* what; TableId table; std::string csv; Lines expected; bool replace = false; char separator = 0; } cases[] = {
        {"byte-order mark, CR LF, columns in any order, quoting over lines, Windows-1252, the apostrophe",
         T::Devices, "\xEF\xBB\xBFname,type,point,group\r\n\"Lamp, \"\"big\"\"\r\nhall\",1d,07,3\r\n'=SUM(A1),2,3,\r\nCaff\xE8,1,11,0\r\n",
         {"devices: 3 added, 0 replaced, 0 removed", "device 3 #1 '=SUM(A1)' type=2", "device 5 #2 'Old' type=1",
          "device 7 #3 'Lamp, \"big\"\r\nhall' type=1d group=3", "device 9 #4 'Nine' type=2", "device 11 #5 'Caffè' type=1"}},
        {"the separator found from the heading row, LF alone, a blank line left out", T::Loads,
         "priority;name\n1;'-5\n\n2;''=x\n3;'plain\n16;Città\xC2\xA0\n",
         {"loads: 4 added, 0 replaced, 0 removed", "load 1 '-5'", "load 2 ''=x'", "load 3 ''plain'", "load 16 'Città\xC2\xA0'"}},
        {"the separator given", T::Probes, "zone|name\n7|Hall,x\n", {"probes: 1 added, 0 replaced, 0 removed", "probe 7 'Hall,x'"}, false, '|'},
        {"every device rule refused with its line", T::Devices,
         "name;point;type;group;inUse;pull;dimmer\r\nA;10;1;0;1;false;0\r\n;5;x;12;;maybe;256\r\nB;00;1d;;;;\r\nC;100;2;;;;\r\n"
         "D;5;2;;;;\r\nE;12;1;;;;\r\nF;12;1;;;;\r\nG;7;2;1;x\r\n\"H\"x;8;1\r\n\"open;7;1\r\n",
         {"2: point: '10" + kDevice, "3: name: the name is empty; type: 'x' is not a device type (1, 2 or 1d); group: '12' is not a "
          "whole number from 0 to 9; pull: 'maybe' is not true or false; dimmer: '256' is not a whole number from 0 to 255",
          "4: point: '00" + kDevice, "5: point: '100" + kDevice, "6: point 5 is already in the configuration", "8: point 12 is already on line 7",
          "9: 5 fields where the heading row has 7", "10: text after a closing quote", "11: a quote opened and never closed"}},
        {"the heading row", T::Devices, "point,nome,type,point\r\n",
         {"1: unknown column 'nome'", "1: the column 'point' appears twice", "1: the column 'name' is missing"}},
        {"nothing at all", T::Groups, "\xEF\xBB\xBF", {"1: the file is empty"}},
        {"control characters in a cell refuse its row; TAB and DEL are text", T::Groups,
         "number,name\n1,A\0B\n2,\"x\n\x1b[2J\"\n3,\x7f\n4,Tab\there\n"s,
         {"2: a field holds a control character (such as NUL)", "3: a field holds a control character (such as NUL)"}},
        {"a heading row of a million separators", T::Groups, std::string(1'000'000, ','), {"1: more than 64 fields"}},
        {"a cell of a million characters quoted shortened", T::Groups, "number,name\n" + std::string(1'000'000, '7') + ",A\n",
         {"2: number: '" + std::string(256, '7') + "\u2026' is not a whole number from 1 to 9"}},
        {"a row of more cells than any table has", T::Groups, "number,name\n1,A" + std::string(64, ',') + "\n",
         {"2: more than 64 fields"}},
        {"refusals end after a thousand rows", T::Groups, [] { std::string csv = "number,name\n"; for (int i = 0; i < 5000; ++i) csv += "x\n"; return csv; }(),
         [] { Lines refused; for (int line = 2; line <= 1001; ++line) refused.push_back(std::to_string(line) + ": 1 fields where the heading row has 2");
              refused.push_back("1001: the rows after it not read: 1000 rows already refused"); return refused; }()},
        {"group numbers and names", T::Groups, "number,name\n0,\"Zero\nnil\"\n10,Ten\n2,Two\nx,X\n3,\n 4 ,Four\n",
         {"2: number: '0' is not a whole number from 1 to 9", "4: number: '10' is not a whole number from 1 to 9",
          "5: number 2 is already in the configuration", "6: number: 'x' is not a whole number from 1 to 9", "7: name: the name is empty"}},
        {"camera numbers, addresses and risers", T::Cameras,
         "number,name,address\n13,A,4000\n2,B,3999\n3,C,4100#3\n4,D,04100\n5,E,\n6,F,4100#\n1,G,4100\n7,H,4000\n8,I,5000#2\n",
         {"2: number: '13' is not a whole number from 1 to 12", "3: address: '3999" + kCamera, "4: address: '4100#3" + kCamera,
          "5: address: '04100" + kCamera, "6: address: '" + kCamera, "7: address: '4100#" + kCamera, "8: number 1 is already in the configuration"}},
        {"scenario addresses and buses", T::Scenarios,
         "number,name,address\n17,A,1\n2,B,99\n3,C,12#4#0\n4,D,5#4#x\n5,E,123\n6,F,\n7,G,12#4#9\n8,H,0\n",
         {"2: number: '17' is not a whole number from 1 to 16", "3: address: '99" + kScenario, "4: address: '12#4#0" + kScenario,
          "5: address: '5#4#x" + kScenario, "6: address: '123" + kScenario, "7: address: '" + kScenario}},
        {"replacing a table", T::Devices, "point,name,type\n5,New,1d\n7,Seven,2\n",
         {"devices: 1 added, 1 replaced, 1 removed", "device 5 #1 'New' type=1d", "device 7 #2 'Seven' type=2"}, true},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Imported(model, c.table, c.csv, c.replace, c.separator), c.expected) << c.what;
    // clang-format off
    const std::pair<std::string, std::vector<TableId>> headings[] = {{"number,name\r\n", {T::Groups, T::Auxiliaries}},
        {"\xEF\xBB\xBF" "address;name;number", {T::Cameras, T::Scenarios}}, {"zone,name", {T::Probes}},
        {"point,name,type,dimmer", {T::Devices}}, {"number,name,cenActivation", {}}, {"priority,name,name", {}}, {"", {}}};
    // clang-format on
    for (const auto& [csv, tables] : headings)
        EXPECT_EQ(TablesFitting(csv), tables) << csv;
}

// Every table of the test data, exported and imported into an empty configuration, gives the same
// tables and the same file; the records no editor could have made are refused instead.
TEST(TableImport, ExportedTablesComeBackWhole) {
    ConfigModel names;
    const char* const hostile[] = {"=1+1", "-",    "'@x",       "''+y",       "\tTab",
                                   "\rCR", "a\rb", "x,y;\"z\"", "line\nbreak"};
    for (int key = 1; key <= 9; ++key)
        names.GroupTable[key] = names.AuxTable[key] = names.LoadTable[key] = hostile[key - 1];
    // clang-format off
    const struct { std::string file; Lines refused; } files[] = {
        {DataPath("writer/worked_example.xml"), {}}, {DataPath("../../examples/villa.xml"), {}}, {"", {}},
        {DataPath("writer/edge_keys.xml"), {"cameras 4: address: '" + kCamera, "scenarios 2: name: the name is empty"}},
        {DataPath("writer/escaping.xml"), {"devices 2: type: 'a&b' is not a device type (1, 2 or 1d)", "scenarios 2: address: '1<2" + kScenario}},
        {DataPath("report/full.xml"), {"devices 5: point: '60" + kDevice, "devices 7: point: '150" + kDevice, "scenarios 4: address: '5#4#x" + kScenario}},
    };
    // clang-format on
    EXPECT_EQ(ExportCsv(ExportTables(names)[std::size_t(TableId::Groups)], ','),
              "\xEF\xBB\xBFnumber,name\r\n1,'=1+1\r\n2,'-\r\n3,''@x\r\n4,'''+y\r\n5,'\tTab\r\n6,\"'\rCR\"\r\n"
              "7,\"a\rb\"\r\n8,\"x,y;\"\"z\"\"\"\r\n9,\"line\nbreak\"\r\n");
    for (const auto& [file, refused] : files) {
        const Reading read = file.empty() ? Reading{} : Load(file, true);
        const ConfigModel& original = file.empty() ? names : *read.model;
        for (const char separator : {',', ';'}) {
            ConfigModel imported;
            Lines refusals;
            for (const TableShape& shape : kTableShapes) {
                if (shape.required == 0)
                    continue;
                const std::string csv = ExportCsv(ExportTables(original)[std::size_t(shape.id)], separator);
                const ImportOutcome outcome = ImportTable(imported, csv, {shape.id, 0, false, false});
                for (const RefusedRow& row : outcome.refused)
                    refusals.push_back(std::string(shape.name) + " " + std::to_string(row.line) + ": " +
                                       row.reason);
                if (outcome.result)
                    imported = *outcome.result;
            }
            EXPECT_EQ(refusals, refused) << file;
            if (refused.empty()) {
                EXPECT_EQ(Dump(imported), Dump(original)) << file << separator;
                EXPECT_EQ(WriteConfig(imported), WriteConfig(original)) << file << separator;
            }
        }
    }
}

} // namespace
} // namespace velto
