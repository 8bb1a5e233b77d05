// The import's questions, answered without a window.
#include "ImportCommand.h"

#include "ExportCsv.h"
#include "ScriptedToolkit.h"

#include <gtest/gtest.h>

namespace velto::testing {
namespace {

// What the questions ask, and the table the import gives, as the export writes it (or nothing).
struct Asked {
    QStringList boxes;
    QStringList choices;
    std::string result;
};

Asked Import(const ConfigModel& model, const std::string& csv, const QList<int>& answers) {
    ScriptedToolkit toolkit;
    for (const int answer : answers)
        toolkit.expectBox(answer);
    const std::optional<ImportCommand::Result> result =
        ImportCommand(toolkit, nullptr, false).run(model, csv, "t.csv");
    Asked asked;
    for (const RecordedBox& box : toolkit.takeBoxes()) {
        asked.boxes << box.text;
        asked.choices << box.choices;
    }
    if (result)
        asked.result = ExportCsv(ExportTables(*result->tables)[std::size_t(result->table)], ',').substr(3);
    return asked;
}

TEST(ImportCommand, AsksWhatTheFileNeedsAndTellsWhatChanges) {
    ConfigModel groups;
    groups.GroupTable[1] = "Luci";
    groups.GroupTable[2] = "Tapparelle";
    ConfigModel probes;
    std::string fifteen = "zone,name\r\n";
    for (int zone = 1; zone <= 15; ++zone) {
        probes.ProbeTable[zone] = "P" + std::to_string(zone);
        fifteen += std::to_string(zone) + ",Q" + std::to_string(zone) + "\r\n";
    }
    const QString question =
        "The groups table already holds 2 records. What should the file's records do?\r\n"
        "Update: change the records with the same key, in the file's columns, and add the "
        "others.\r\nAdd only: add them, where the key is free.\r\nReplace the whole table: "
        "take the place of every record.";
    const QString which = "The columns of t.csv fit the groups table and the auxiliaries table.\r\n"
                          "Import into the groups table? (No: into the auxiliaries table)";
    const QStringList choices{"Update", "Add only", "Replace the whole table"};
    ConfigModel away;
    away.Mh200ScenarioTable[7] = {"Away", "0099", "9999"};
    // clang-format off
    const struct { const char* what; const ConfigModel& model; std::string csv; QList<int> answers; QStringList boxes; std::string result; } cases[] = {
        {"no table fits: each table's columns are named", groups, "colour\n", {kAnswerOk},
         {"The heading row of t.csv fits no table: it needs the column names of one of these:\r\n"
          "devices: address, name, type, group, position, pull, dimmer level\r\ngroups: number, name\r\nloads: priority, name\r\n"
          "auxiliaries: number, name\r\nprobes: zone, name\r\ncameras: number, name, address, bus\r\nscenarios: number, name, address, bus"}, {}},
        {"which table cancelled", groups, "number,name\n1,Luci\n", {kAnswerCancel}, {which}, {}},
        {"how to import cancelled", groups, "number,name\n1,Luci\n", {kAnswerYes, -1}, {which, question}, {}},
        {"update: only what changes is counted", groups, "number,name\n1,Luci\n2,Tende\n3,Prese\n", {kAnswerYes, 0, kAnswerYes},
         {which, question, "t.csv\r\ngroups: 1 added, 1 changed, 0 removed, 1 unchanged\r\nnumber 2: name 'Tapparelle' -> 'Tende'\r\n\r\nImport?"},
         "number,name\r\n1,Luci\r\n2,Tende\r\n3,Prese\r\n"},
        {"add only: a key taken is refused", groups, "number,name\n2,Tende\n", {kAnswerYes, 1, kAnswerOk},
         {which, question, "Nothing imported from t.csv: every row must be valid.\r\nline 2: number 2 is already in the configuration (Update changes it)"}, {}},
        {"replace, the preview answered No", groups, "number,name\n2,Tende\n", {kAnswerYes, 2, kAnswerNo},
         {which, question, "t.csv\r\ngroups: 0 added, 1 changed, 1 removed, 0 unchanged\r\nnumber 2: name 'Tapparelle' -> 'Tende'\r\n\r\nImport?"}, {}},
        {"a screenful of changes, then how many more", probes, fifteen, {0, kAnswerYes},
         {"The probes table already holds 15 records. What should the file's records do?" + question.mid(question.indexOf("\r\n")),
          [] { QString text = "t.csv\r\nprobes: 0 added, 15 changed, 0 removed, 0 unchanged";
               for (int zone = 1; zone <= 12; ++zone) text += QString("\r\nzone %1: name 'P%1' -> 'Q%1'").arg(zone);
               return text + "\r\n... and 3 more\r\n\r\nImport?"; }()},
         fifteen},
        {"into an empty table no question; warnings and the records a save leaves out", away, "point,name,type\n20,Twenty,1\n", {kAnswerYes},
         {"t.csv\r\ndevices: 1 added, 0 changed, 0 removed, 0 unchanged\r\nValues no editor gives, imported as a conf.xml file reads them:\r\n"
          "line 2: point: '20' is not a device address (1 to 99, not ending in 0); imported as a conf.xml file reads it\r\n"
          "When saved, the file will leave out these records:\nscmh200 7 \"Away\"\r\n\r\nImport?"},
         "point,name,type,group,inUse,pull,dimmer\r\n20,Twenty,1,0,1,false,0\r\n"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const Asked asked = Import(c.model, c.csv, c.answers);
        EXPECT_EQ(asked.boxes, c.boxes) << c.what;
        EXPECT_EQ(asked.result, c.result) << c.what;
        EXPECT_EQ(asked.choices, asked.boxes.join("").contains("already holds") ? choices : QStringList{})
            << c.what;
    }
}

} // namespace
} // namespace velto::testing
