#include "TableImport.h"

#include "ConfWriter.h"
#include "CoreTestSupport.h"
#include "ExportCsv.h"
#include "ImportColumns.h"

#include <gtest/gtest.h>
#include <regex>

namespace velto {
namespace {

using namespace test;
using namespace std::string_literals;

// The reasons an address is refused, after its text.
const std::string kDevice = "' is not a device address (1 to 99, not ending in 0)";
const std::string kCamera = "' is not a camera address (4000 to 5000, then #2 on a local riser)";
const std::string kScenario =
    "' is not a scenario address (0 to 98, then #4# and the bus 1 to 9 on a local bus)";

// What an import gives: "LINE: reason" per refusal, "LINE warning: text" per warning, then the summary,
// each change and the table's used slots afterwards.
Lines Imported(const ConfigModel& model, TableId table, const std::string& csv,
               ImportMode mode = ImportMode::Add, char separator = 0, bool commandLine = false) {
    const ImportOutcome outcome = ImportTable(model, csv, {table, separator, mode, false, commandLine});
    Lines lines;
    AddNotes(lines, outcome.refused);
    AddNotes(lines, outcome.warnings, " warning: ");
    if (!outcome.result)
        return lines;
    lines.push_back(ImportSummary(outcome, table, false));
    lines.insert(lines.end(), outcome.changes.begin(), outcome.changes.end());
    for (const std::string& line : DumpTable(*outcome.result, table))
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
    const std::string kType = "' is not a type: use dimmer, autom., on/off or 1, 2, 1d";
    const std::string kAsRead = "; imported as a conf.xml file reads it";
    // clang-format off
    const struct { const char* what; TableId table; std::string csv; Lines expected; ImportMode mode = ImportMode::Add; char separator = 0; } cases[] = {
        {"byte-order mark, CR LF, columns in any order, quoting over lines, Windows-1252, the apostrophe",
         T::Devices, "\xEF\xBB\xBFname,type,point,group\r\n\"Lamp, \"\"big\"\"\r\nhall\",1d,07,3\r\n'=SUM(A1),2,3,\r\nCaff\xE8,1,11,0\r\n",
         {"devices: 3 added, 0 changed, 0 removed, 0 unchanged", "device 3 #1 '=SUM(A1)' type=2", "device 5 #2 'Old' type=1",
          "device 7 #3 'Lamp, \"big\"\r\nhall' type=1d group=3", "device 9 #4 'Nine' type=2", "device 11 #5 'Caffè' type=1"}},
        {"the separator found from the heading row, LF alone, a blank line left out", T::Loads,
         "priority;name\n1;'-5\n\n2;''=x\n3;'plain\n16;Città\xC2\xA0\n",
         {"loads: 4 added, 0 changed, 0 removed, 0 unchanged", "load 1 '-5'", "load 2 ''=x'", "load 3 ''plain'", "load 16 'Città\xC2\xA0'"}},
        {"the separator given", T::Probes, "zone|name\n7|Hall,x\n", {"probes: 1 added, 0 changed, 0 removed, 0 unchanged", "probe 7 'Hall,x'"}, ImportMode::Add, '|'},
        {"every device rule refused with its line", T::Devices,
         "name;point;type;group;inUse;pull;dimmer\r\nA;1000;1;0;1;false;0\r\nZ;5;x;256;;maybe;256\r\nB;0x;onoff;;;;\r\n"
         "D;5;2;;;;\r\nE;12;1;;;;\r\nF;12;1;;;;\r\nG;7;2;1;x\r\n\"H\"x;8;1\r\n\"open;7;1\r\n",
         {"2: point: '1000" + kDevice, "3: type: 'x" + kType + "; group: '256' is not a group: use 0 to 9, or leave it empty for none; "
          "pull: 'maybe' is not true or false; dimmer: '256' is not a whole number from 0 to 255",
          "4: point: '0x" + kDevice + "; type: 'onoff" + kType, "5: point 5 is already in the configuration (Update changes it)",
          "7: point 12 is already on line 6", "8: 5 fields where the heading row has 7", "9: text after a closing quote",
          "10: a quote opened and never closed"}},
        {"the heading row, each column named by what it accepts", T::Devices, "point,colour,type,point\r\n",
         {"1: unknown column 'colour' (the devices table takes address, name, type, group, position, pull, dimmer level)",
          "1: the column 'point' appears twice", "1: the column 'name' or 'nome' is missing"}},
        {"nothing at all", T::Groups, "\xEF\xBB\xBF", {"1: the file is empty"}},
        {"control characters in a cell refuse its row; TAB and DEL are text", T::Groups,
         "number,name\n1,A\0B\n2,\"x\n\x1b[2J\"\n3,\x7f\n4,Tab\there\n"s,
         {"2: a field holds a control character (such as NUL)", "3: a field holds a control character (such as NUL)"}},
        {"a heading row of a million separators", T::Groups, std::string(1'000'000, ','), {"1: more than 64 fields"}},
        {"a cell of a million characters quoted shortened", T::Groups, "number,name\n" + std::string(1'000'000, '7') + ",A\n",
         {"2: number: '" + std::string(256, '7') + "\u2026' is not a whole number from 1 to 9"}},
        {"a row of more cells than any table has", T::Groups, "number,name\n1,A" + std::string(64, ',') + "\n",
         {"2: more than 64 fields"}},
        {"refusals end after a thousand rows", T::Groups, "number,name\n" + Repeat("x\n", 5000),
         [] { Lines refused; for (int line = 2; line <= 1001; ++line) refused.push_back(std::to_string(line) + ": 1 fields where the heading row has 2");
              refused.push_back("1001: the rows after it not read: 1000 rows already refused"); return refused; }()},
        {"group numbers and names", T::Groups, "number,name\n0,\"Zero\nnil\"\n10,Ten\n2,Two\nx,X\n3,\n 4 ,Four\n,Kitchen\n",
         {"2: number: '0' is not a whole number from 1 to 9", "4: number: '10' is not a whole number from 1 to 9",
          "5: number 2 is already in the configuration (Update changes it)", "6: number: 'x' is not a whole number from 1 to 9", "7: name: the name is empty",
          "9: number: '' is not a whole number from 1 to 9"}},
        {"camera numbers and addresses no file holds", T::Cameras,
         "number,name,address\n13,A,4000\n3,C,4100#3\n4,D,04100\n6,F,4100#\n1,G,4100\n7,H,3999#2\n",
         {"2: number: '13' is not a whole number from 1 to 12", "3: address: '4100#3" + kCamera,
          "4: address: '04100" + kCamera, "5: address: '4100#" + kCamera, "6: number 1 is already in the configuration (Update changes it)",
          "7: address: '3999#2" + kCamera}},
        {"what a conf.xml file may hold comes in, with a warning naming its line", T::Devices,
         "point,name,type,group\n20,Twenty,3,12\n150,Far,on/off,\n21,,1,\n",
         {"2 warning: point: '20" + kDevice + kAsRead, "2 warning: type: '3" + kType + kAsRead,
          "2 warning: group: '12' is not a whole number from 0 to 9" + kAsRead, "3 warning: point: '150" + kDevice + kAsRead,
          "4 warning: name: the name is empty" + kAsRead, "devices: 3 added, 0 changed, 0 removed, 0 unchanged",
          "device 5 #1 'Old' type=1", "device 9 #2 'Nine' type=2", "device 20 #3 'Twenty' type=3 group=12",
          "device 21 #4 '' type=1", "device 150 #1 'Far' type=1d"}},
        {"camera addresses a conf.xml file may hold", T::Cameras, "number,name,address\n2,B,3999\n5,E,\n8,I,5000#2\n",
         {"2 warning: address: '3999" + kCamera + kAsRead, "3 warning: address: '" + kCamera + kAsRead,
          "cameras: 3 added, 0 changed, 0 removed, 0 unchanged", "camera 1 'Cam' 4000", "camera 2 'B' 3999", "camera 5 'E' ", "camera 8 'I' 5000#2"}},
        {"scenario addresses: the reader takes any", T::Scenarios, "number,name,address\n3,C,12#4#0\n4,D,5#4#x\n7,G,12#4#9\n8,H,0\n",
         {"2 warning: address: '12#4#0" + kScenario + kAsRead, "3 warning: address: '5#4#x" + kScenario + kAsRead,
          "scenarios: 4 added, 0 changed, 0 removed, 0 unchanged", "scf420 1 'Sce' 1", "scf420 3 'C' 12#4#0", "scf420 4 'D' 5#4#x",
          "scf420 7 'G' 12#4#9", "scf420 8 'H' 0"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Imported(model, c.table, c.csv, c.mode, c.separator), c.expected) << c.what;
    // clang-format off
    const std::pair<std::string, std::vector<TableId>> headings[] = {{"number,name\r\n", {T::Groups, T::Auxiliaries}},
        {"\xEF\xBB\xBF" "address;name;number", {T::Cameras, T::Scenarios}}, {"zone,name", {T::Probes}},
        {"point,name,type,dimmer", {T::Devices}}, {"number,name,cenActivation", {}}, {"priority,name,name", {}}, {"", {}},
        {"Indirizzo;NOME;tipo;Gruppo", {T::Devices}}, {"name,group,type,address", {T::Devices}}, {" nome ;Priorità", {T::Loads}},
        {"zona,nome", {T::Probes}}, {"numero;nome;indirizzo;montante", {T::Cameras}}, {"number,name,address,bus", {T::Cameras, T::Scenarios}}};
    // clang-format on
    for (const auto& [csv, tables] : headings)
        EXPECT_EQ(TablesFitting(csv), tables) << csv;
}

// The grids' words, in either language, case and accents ignored; a value refused names what is accepted.
TEST(TableImport, GridWordsComeInFromEitherLanguage) {
    ConfigModel model;
    using T = TableId;
    // clang-format off
    const struct { TableId table; std::string csv; Lines expected; } cases[] = {
        {T::Devices, "Indirizzo;NOME;tipo;Gruppo\n11;Luce;On/Off;0\n12;Tapparella;AUTOM.;\n13;Faretto;Dimmer;3\n14;Presa;1D;\n",
         {"devices: 4 added, 0 changed, 0 removed, 0 unchanged", "device 11 #1 'Luce' type=1d", "device 12 #2 'Tapparella' type=2",
          "device 13 #3 'Faretto' type=1 group=3", "device 14 #4 'Presa' type=1d"}},
        {T::Devices, "address,name,type\n11,Luce,onoff\n", {"2: type: 'onoff' is not a type: use dimmer, autom., on/off or 1, 2, 1d"}},
        {T::Cameras, "numero;nome;indirizzo;montante\n2;A;4100;Pubblico\n3;B;4200;privato\n4;C;4300;Local Rise\n5;D;4400;\n",
         {"cameras: 4 added, 0 changed, 0 removed, 0 unchanged", "camera 2 'A' 4100#2", "camera 3 'B' 4200", "camera 4 'C' 4300#2", "camera 5 'D' 4400"}},
        {T::Cameras, "number,name,address,riser\n5,D,4400#2,Pubblico\n6,E,4500,up\n",
         {"2: address: '4400#2' is not a camera address (4000 to 5000, then #2 on a local riser)",
          "3: riser: 'up' is not a riser: use Private or Local rise (Privato, Pubblico)"}},
        {T::Scenarios, "number,name,address,bus\n2,S,12,locale I=3\n3,T,13,Private\n4,U,14,\n5,V,15,LOCAL I=9\n",
         {"scenarios: 4 added, 0 changed, 0 removed, 0 unchanged", "scf420 2 'S' 12#4#3", "scf420 3 'T' 13", "scf420 4 'U' 14", "scf420 5 'V' 15#4#9"}},
        {T::Scenarios, "number,name,address,bus\n2,S,12,local I=10\n",
         {"2: bus: 'local I=10' is not a bus: use Private or local I=1 ... local I=9 (or 0 to 9)"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Imported(model, c.table, c.csv), c.expected) << c.csv;
}

// Update changes the records whose key the file names, in the file's columns only, and counts only
// what really changes; the same file again changes nothing.
TEST(TableImport, UpdateChangesOnlyWhatTheFileChanges) {
    ConfigModel model;
    model.DeviceTable[11] = {"Luce", true, 3, "1", 7, 1};
    model.DeviceTable[21] = {"Tapparella", false, 0, "2", 0, 2};
    model.DeviceTable[31] = {"Presa", false, 0, "1d", 0, 3};
    const std::string csv = "point,name,type\n11,Luce ingresso,dimmer\n21,Tapparella,2\n41,Nuova,1d\n";
    const Lines updated = {"devices: 1 added, 1 changed, 0 removed, 1 unchanged",
                           "address 11: name 'Luce' -> 'Luce ingresso'",
                           "device 11 #1 'Luce ingresso' type=1 group=3 dimmer=7 pull",
                           "device 21 #2 'Tapparella' type=2",
                           "device 31 #3 'Presa' type=1d",
                           "device 41 #4 'Nuova' type=1d"};
    EXPECT_EQ(Imported(model, TableId::Devices, csv, ImportMode::Update), updated);
    const ImportOutcome once = ImportTable(model, csv, {TableId::Devices, 0, ImportMode::Update});
    const ImportOutcome twice = ImportTable(*once.result, csv, {TableId::Devices, 0, ImportMode::Update});
    EXPECT_TRUE(twice.changesNothing());
    EXPECT_EQ(ImportSummary(twice, TableId::Devices, true), "attuatori: nessuna modifica");
    EXPECT_EQ(Imported(model, TableId::Devices, csv, ImportMode::Replace),
              (Lines{"devices: 1 added, 1 changed, 1 removed, 1 unchanged",
                     "address 11: name 'Luce' -> 'Luce ingresso', group '3' -> '0', pull 'true' -> 'false', "
                     "dimmer level '7' -> '0'",
                     "device 11 #1 'Luce ingresso' type=1", "device 21 #2 'Tapparella' type=2",
                     "device 41 #3 'Nuova' type=1d"}));
    const std::string taken =
        " is already in the configuration (--update changes it, --replace empties the table first)";
    EXPECT_EQ(Imported(model, TableId::Devices, csv, ImportMode::Add, 0, true),
              (Lines{"2: point 11" + taken, "3: point 21" + taken}));
}

// The tables an import brings back: the devices' positions follow their addresses, and no file keeps
// the MH200 scenarios.
Lines Tables(const ConfigModel& model) {
    Lines lines;
    for (const std::string& line : Dump(model))
        if (!line.starts_with("scmh200"))
            lines.push_back(std::regex_replace(line, std::regex(" #[0-9]+"), ""));
    return lines;
}

// Every table of the test data, exported as velto-conf and the window write it and imported into an
// empty configuration, gives the same tables and the same file, the values no editor gives included.
TEST(TableImport, ExportedTablesComeBackWhole) {
    ConfigModel names;
    const char* const hostile[] = {"=1+1", "-",    "'@x",       "''+y",       "\tTab",
                                   "\rCR", "a\rb", "x,y;\"z\"", "line\nbreak"};
    for (int key = 1; key <= 9; ++key)
        names.GroupTable[key] = names.AuxTable[key] = names.LoadTable[key] = hostile[key - 1];
    // clang-format off
    const struct { std::string file; Lines refused; } files[] = {
        {DataPath("writer/worked_example.xml"), {}}, {DataPath("../../examples/villa.xml"), {}}, {"", {}},
        {DataPath("writer/edge_keys.xml"), {}}, {DataPath("report/full.xml"), {}},
        // a type that is a word, yet none of the grid's, is taken for a mistyped one
        {DataPath("writer/escaping.xml"), {"devices 2: type: 'a&b' is not a type: use dimmer, autom., on/off or 1, 2, 1d"}},
    };
    // clang-format on
    EXPECT_EQ(ExportCsv(ExportTables(names)[std::size_t(TableId::Groups)], ','),
              "\xEF\xBB\xBFnumber,name\r\n1,'=1+1\r\n2,'-\r\n3,''@x\r\n4,'''+y\r\n5,'\tTab\r\n6,\"'\rCR\"\r\n"
              "7,\"a\rb\"\r\n8,\"x,y;\"\"z\"\"\"\r\n9,\"line\nbreak\"\r\n");
    const auto exported = [](const ConfigModel& model, TableId table, int form) {
        return form < 2 ? ExportCsv(ExportTables(model)[std::size_t(table)], form == 0 ? ',' : ';')
                        : ExportCsv(HeadedTable(model, table, form == 2), form == 2 ? ';' : ',');
    };
    for (const auto& [file, refused] : files) {
        const Reading read = file.empty() ? Reading{} : Load(file, true);
        const ConfigModel& original = file.empty() ? names : *read.model;
        for (int form = 0; form < 4; ++form) {
            ConfigModel imported;
            Lines refusals;
            for (const TableShape& shape : kTableShapes) {
                if (shape.required == 0)
                    continue;
                const ImportOutcome outcome =
                    ImportTable(imported, exported(original, shape.id, form), {shape.id});
                for (const RowNote& row : outcome.refused)
                    refusals.push_back(std::string(shape.name) + " " + std::to_string(row.line) + ": " +
                                       row.text);
                if (outcome.result)
                    imported = *outcome.result;
            }
            EXPECT_EQ(refusals, refused) << file;
            if (refused.empty()) {
                EXPECT_EQ(Tables(imported), Tables(original)) << file << form;
                EXPECT_EQ(WriteConfig(imported), WriteConfig(original)) << file << form;
            }
        }
    }
}

} // namespace
} // namespace velto
