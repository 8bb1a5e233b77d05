#include "VeltoConf.h"

#include "CoreTestSupport.h"
#include "FolderTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace velto {
namespace {

namespace fs = std::filesystem;
using test::Doc;

// What check says of dropped.xml's reading.
const std::string kNoticed =
    "dropped.xml: Old version of file Xml\ndropped.xml: Invalid group: 12 - "
    "Red\\x1b[31m\\x0a\\u009b\\x7f\\u009f\xC2\xA0\ndropped.xml: Probe 0.3 duplicate\n";

// What rewrite and check say of the records a save of dropped.xml leaves out.
const std::string kNotSaved =
    "dropped.xml: not saved: device 5 \"Lamp\" (pull, dimmer 40)\ndropped.xml: not saved: device 150 "
    "\"Far\"\n"
    "dropped.xml: not saved: probe 0 \"Hall\"\ndropped.xml: not saved: camera 1 \"\"\n"
    "dropped.xml: not saved: scf420 2 \"Night\"\ndropped.xml: not saved: scmh200 7 \"Away\"\n";

// Exit status, standard output, standard error.
using Outcome = std::tuple<int, std::string, std::string>;

Outcome Invoke(const std::vector<std::string>& arguments, bool outputFails = false) {
    std::ostringstream out, err;
    std::ostream lost(nullptr); // a full disk or a closed pipe
    const int status = RunVeltoConf(arguments, outputFails ? lost : out, err);
    return {status, out.str(), err.str()};
}

// Each test runs in a folder of its own holding these files, named by relative paths.
class VeltoConf : public test::FolderTest {
protected:
    VeltoConf() {
        Put("clean.xml", Doc(R"(<device name="Lamp" point="05" group="2" pull="" type="1"></device>)"
                             R"(<device name="Far" point="150" group="" pull="" type="1"></device>)"
                             R"(<group name="Ground floor" group="2"></group>)"));
        Put("stopped.xml", Doc(R"(<group name="One" group="1"></group><group name="Bad" group="-1"></group>)"
                               R"(<load name="Never" priority="1"></load>)"));
        Put("broken.xml", "<ACTUATOR><device>");
        Put("dropped.xml",
            Doc(R"(<device name="Lamp" point="5" group="" pull="PULL" type="1" dimmer="40"/>)"
                R"(<device name="Far" point="150" group="" type="1"/><probe name="Hall" number="0.4"/><probe number="0.3"/>)"
                R"(<camera number="1" adr="4100" type="1"/><scf420 name="Night" number="2"/>)"
                R"(<scmh200 name="Away" number="7" cenact="0099" cendis="9999"/>)"
                R"(<group name="Red&#27;[31m&#10;&#x9b;&#127;&#x9f;&#160;" group="12"/>)",
                "1.0.3"));
        // Names with separators, quotes, line breaks and accents, for the CSV export.
        Put("names.xml",
            Doc(R"(<device name="Lamp, &quot;big&quot;; hall" point="7" group="2" pull="" type="1d"/>)"
                R"(<device name="Città&#13;&#10;più" point="3" group="" pull="" type="2"/>)"
                R"(<camera name="a;b" number="4" adr="4100" type="2"/>)"
                R"(<device name="=1+1" point="8" group="" type="1"/><device name="a&#13;b" point="9" group="" type="1"/>)"));
#ifndef _WIN32
        ::mkfifo("pipe", 0600);
#endif
        fs::create_hard_link("clean.xml", "same.xml");
        Put("saved.xml", Doc(""));
        Put(".saved.xml.velto-backup-99-0", Doc("")); // left by a save that did not finish
        Put("torn.xml", Doc(""));
        Put(".torn.xml.velto-backup-98-0", Doc("").substr(0, 30)); // not whole: never offered
    }
};

TEST_F(VeltoConf, OutputAndExitStatus) {
    const std::string noFile = test::Says(ENOENT, 2 /* ERROR_FILE_NOT_FOUND */);
    const std::string noFolder = test::Says(ENOENT, 3 /* ERROR_PATH_NOT_FOUND */);
    // Windows takes no control character in a name, before it looks for the folder.
    const std::string badName = test::Says(ENOENT, 123 /* ERROR_INVALID_NAME */);
    const std::string devices =
        "\xEF\xBB\xBFpoint,name,type,group,inUse,pull,dimmer\r\n3,\"Città\r\npiù\",2,0,2,false,0\r\n"
        "7,\"Lamp, \"\"big\"\"; hall\",1d,2,1,false,0\r\n";
    const std::string oneSeparator =
        "velto-conf: --separator needs one character other than a quote or a line break\n";
    // clang-format off
    const struct { std::vector<std::string> arguments; Outcome outcome; bool outputFails = false; } cases[] = {
        // check prints every notice and what a save would leave out
        {{"check", "--lang=ita", "clean.xml"}, {1, "clean.xml: non salvato: device 150 \"Far\"\n", ""}},
        {{"check", "saved.xml"}, {1, "saved.xml: backup left by an unfinished save: .saved.xml.velto-backup-99-0\n", ""}},
        {{"check", "dropped.xml"}, {1, kNoticed + kNotSaved, ""}},
        {{"check", "torn.xml"}, {1, "torn.xml: .torn.xml.velto-backup-98-0: incomplete backup\n", ""}},
        // rewrite writes the current format, its notices and the records left out to the error stream,
        // and nothing after a stop
        {{"rewrite", "clean.xml", "-"}, {1,
         "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n"
         "<device name=\"Lamp\" point=\"05\" group=\"2\" pull=\"\" type=\"1\"></device>\r\n\r\n"
         "<group name=\"Ground floor\" group=\"2\"></group>\r\n\r\n\r\n\r\n\r\n\r\n</ACTUATOR>\r\n",
         "clean.xml: not saved: device 150 \"Far\"\n"}},
        {{"rewrite", "dropped.xml", "out.xml"}, {1, "", kNoticed + kNotSaved}},
        {{"rewrite", "stopped.xml", "never.xml"}, {2, "", "stopped.xml: Invalid parameters in the file conf.xml\n"}},
        {{"--version"}, {0, "velto-conf 1.0 (conf.xml version 1.0.4)\n", ""}},
        // command-line mistakes
        {{}, {2, "", "velto-conf: no command given (try --help)\n"}},
        {{"frobnicate", "clean.xml"}, {2, "", "velto-conf: unknown command 'frobnicate' (try --help)\n"}},
        {{"check"}, {2, "", "velto-conf: check: missing file (try --help)\n"}},
        {{"check", "--lang=fra", "clean.xml"}, {2, "", "velto-conf: unknown language 'fra' (eng or ita)\n"}},
        {{"check", "--lang"}, {2, "", "velto-conf: --lang needs eng or ita\n"}},
        {{"export", "--lang=ita", "clean.xml"}, {2, "", "velto-conf: export takes no --lang\n"}},
        {{"check", "clean.xml", "--", "--lang=ita"}, {2, "clean.xml: not saved: device 150 \"Far\"\n", "velto-conf: cannot open --lang=ita: " + noFile + "\n"}},
        {{"rewrite", "clean.xml"}, {2, "", "velto-conf: rewrite: missing argument (try --help)\n"}},
        {{"export", "a.xml", "b.xml"}, {2, "", "velto-conf: export: too many arguments (try --help)\n"}},
        // files that cannot be read, and output that cannot be written
        {{"check", "missing.xml"}, {2, "", "velto-conf: cannot open missing.xml: " + noFile + "\n"}},
#ifndef _WIN32 // no FIFOs on Windows
        {{"check", "pipe"}, {2, "", "velto-conf: cannot open pipe: Not a regular file\n"}},
#endif
        {{"export", "broken.xml"}, {2, "", "broken.xml: Start-end tags mismatch at offset 17\n"}},
        {{"export", "clean.xml"}, {2, "", "velto-conf: cannot write to standard output\n"}, true},
        // CSV: one table, byte-order mark, CR LF, a field quoted when it holds the separator, a quote or a line break
        {{"export", "--format", "csv", "--table", "devices", "names.xml"}, {0, devices + "8,'=1+1,1,0,3,false,0\r\n9,\"a\rb\",1,0,4,false,0\r\n", ""}},
        {{"export", "--format", "csv", "--raw", "--table", "devices", "names.xml"}, {0, devices + "8,=1+1,1,0,3,false,0\r\n9,\"a\rb\",1,0,4,false,0\r\n", ""}},
        {{"export", "--format", "csv", "--table", "cameras", "--separator", ";", "names.xml"}, {0,
         "\xEF\xBB\xBFnumber;name;address\r\n4;\"a;b\";4100#2\r\n", ""}},
        // report: HTML to a file, notices as check's
        {{"report", "--customer", "Anna", "--date", "", "--company", "Rossi", "dropped.xml", "-o", "report.html"}, {1, "", kNoticed}},
        {{"report", "--lang", "ita", "stopped.xml", "-o", "never.html"}, {2, "", "stopped.xml: Parametri non validi sul file conf.xml\n"}},
        {{"report", "clean.xml", "-o", "no/such/folder.html"}, {2, "", "velto-conf: cannot write no/such/folder.html: " + noFolder + "\n"}},
        {{"report", "-o"}, {2, "", "velto-conf: -o needs a value\n"}},
        // the date as ISO or in the Italian form, the notes within their bound, or nothing is read or written
        {{"report", "--lang", "ita", "--date", "07/12/2026", "clean.xml", "-o", "dated.html"}, {0, "", ""}},
        {{"report", "--date", "2026-12-08", "clean.xml", "-o", "iso.html"}, {0, "", ""}},
        {{"report", "--date", "31/02/2026", "missing.xml", "-o", "never.html"}, {2, "", "velto-conf: --date '31/02/2026' is not a date (2026-12-07, 07/12/2026 or 7 dicembre 2026)\n"}},
        {{"report", "--date", "12/07/26", "clean.xml", "-o", "never.html"}, {2, "", "velto-conf: --date '12/07/26' is not a date (2026-12-07, 07/12/2026 or 7 dicembre 2026)\n"}},
        {{"report", "--notes", std::string(20, '\n') + "x", "missing.xml", "-o", "never.html"}, {2, "", "velto-conf: --notes holds more than 20 lines or 1000 characters\n"}},
        // an output that is the input (by any name), or has no name, is refused; names are shown escaped
        {{"rewrite", "clean.xml", "same.xml"}, {2, "", "velto-conf: rewrite: same.xml is the file read, clean.xml; not written\n"}},
        {{"report", "clean.xml", "-o", "clean.xml"}, {2, "", "velto-conf: report: clean.xml is the file read, clean.xml; not written\n"}},
        {{"rewrite", "clean.xml", ""}, {2, "", "velto-conf: rewrite: the output file has an empty name\n"}},
        {{"report", "clean.xml", "-o", ""}, {2, "", "velto-conf: report: the output file has an empty name\n"}},
        {{"rewrite", "clean.xml", "no/\x1b[2J.xml"}, {2, "", "velto-conf: cannot write no/\\x1b[2J.xml: " + badName + "\n"}},
        {{"check", "--lang=\r"}, {2, "", "velto-conf: unknown language '\\x0d' (eng or ita)\n"}},
#ifndef _WIN32 // a name that is not UTF-8 is no name there
        {{"check", "no\x9b\xC2\x9b.xml"}, {2, "", "velto-conf: cannot open no\\x9b\\u009b.xml: " + noFile + "\n"}},
#endif
        {{"export", "--format", "xml", "clean.xml"}, {2, "", "velto-conf: unknown format 'xml' (json or csv)\n"}},
        {{"export", "--format", "csv", "clean.xml"}, {2, "", "velto-conf: --format csv needs --table NAME (try --help)\n"}},
        {{"export", "--format", "csv", "--table", "rooms", "clean.xml"}, {2, "", "velto-conf: unknown table 'rooms' (try --help)\n"}},
        {{"export", "--table", "groups", "clean.xml"}, {2, "", "velto-conf: --table, --separator and --raw go with --format csv\n"}},
        {{"export", "--format", "csv", "--table", "groups", "--separator", "\"", "clean.xml"}, {2, "", oneSeparator}},
        {{"export", "--format", "csv", "--table", "groups", "--separator", ";;", "clean.xml"}, {2, "", oneSeparator}},
        {{"export", "--format", "csv", "--table", "groups", "--separator", "", "clean.xml"}, {2, "", oneSeparator}},
        {{"export", "--raw", "clean.xml"}, {2, "", "velto-conf: --table, --separator and --raw go with --format csv\n"}},
        {{"export", "-o", "x", "clean.xml"}, {2, "", "velto-conf: unknown option '-o'\n"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Invoke(c.arguments, c.outputFails), c.outcome) << ::testing::PrintToString(c.arguments);
    EXPECT_FALSE(fs::exists("never.xml") || fs::exists("never.html"));
    const std::string report =
        test::ReadBytes("report.html"); // the fields given, the date given empty left out
    for (const char* expected : {"<td>5</td><td>Lamp</td><td>dimmer</td>", ">Customer</th><td>Anna</td>",
                                 ">Company</th><td>Rossi</td>",
                                 ">File</th><td>dropped.xml<br/>SHA-256: ", "Name: Rossi<br/>Date: <br/>"})
        EXPECT_NE(report.find(expected), std::string::npos) << expected;
    EXPECT_EQ(report.find(">Date</th>"), std::string::npos);
    EXPECT_NE(test::ReadBytes("dated.html").find(">Data</th><td>7 dicembre 2026</td>"), std::string::npos);
    EXPECT_NE(test::ReadBytes("iso.html").find(">Date</th><td>8 December 2026</td>"), std::string::npos);
    const auto [helpStatus, help, helpErr] = Invoke({"-h"});
    EXPECT_TRUE(helpStatus == 0 && help.starts_with("usage: velto-conf check")) << helpErr;
}

// Every slot in use comes out as read, a stop keeps what came before it.
TEST_F(VeltoConf, ExportShowsEveryUsedSlotAsRead) {
    const auto [status, out, err] = Invoke({"export", "dropped.xml"});
    EXPECT_EQ(status, 1) << err;
    EXPECT_EQ(nlohmann::json::parse(out), nlohmann::json::parse(R"({"version": "1.0.3",
        "devices": [{"point": 5, "name": "Lamp", "type": "1", "group": 0, "inUse": 1, "pull": true, "dimmer": 40},
                    {"point": 150, "name": "Far", "type": "1", "group": 0, "inUse": 2, "pull": false, "dimmer": 0}],
        "groups": [], "loads": [], "auxiliaries": [], "probes": [{"zone": 0, "name": "Hall"}],
        "cameras": [{"number": 1, "name": "", "address": "4100"}],
        "scenarios": [{"number": 2, "name": "Night", "address": ""}],
        "mh200Scenarios": [{"number": 7, "name": "Away", "cenActivation": "0099", "cenDeactivation": "9999"}]})"));
    const auto [stoppedStatus, stoppedOut, _] = Invoke({"export", "stopped.xml"});
    EXPECT_EQ(stoppedStatus, 2);
    EXPECT_EQ(nlohmann::json::parse(stoppedOut)["groups"],
              nlohmann::json::parse(R"([{"number": 1, "name": "One"}])"));
}

// Each step runs on the files the steps before it left; after each, the tables of conf.xml and out.xml
// ("-" for a file that is not there). The last steps update conf.xml from a spreadsheet's file:
// Italian headings and words, ";", Windows-1252, CR LF, one name changed, one row added, one bad.
TEST_F(VeltoConf, ImportAddsUpdatesOrReplacesAllRowsOrNone) {
    Put("lamps.csv", "\xEF\xBB\xBFpoint;name;type\r\n5;Lamp;1\r\n7;Fan;1d\r\n");
    Put("more.csv", "name,point,type\nSpot,3,2\nBad,0x,1\nLamp,5,1\n");
    const std::string sheet =
        "indirizzo;nome;tipo;gruppo\r\n5;Lampada pi\xF9;Dimmer;0\r\n7;Fan;on/off;\r\n9;Nuova;autom.;2\r\n";
    Put("bad.csv", sheet + "11;Rotta;onoff;\r\n");
    Put("sheet.csv", sheet);
    Put("odd.csv", "point,name,type\n20,Twenty,3\n");
    const std::string asRead = "; imported as a conf.xml file reads it\n";
    const std::string oddWarnings =
        "odd.csv:2: warning: point: '20' is not a device address (1 to 99, not ending in 0)" + asRead +
        "odd.csv:2: warning: type: '3' is not a type: use dimmer, autom., on/off or 1, 2, 1d" + asRead;
    Put("spot.csv", "point,name,type\n3,Spot,2\n");
    const auto tables = [](const char* file) {
        return fs::exists(file) ? test::Dump(*test::Load(file, true).model) : test::Lines{"-"};
    };
    // clang-format off
    const test::Lines lamps{"device 5 #1 'Lamp' type=1", "device 7 #2 'Fan' type=1d"}, spot{"device 3 #1 'Spot' type=2"},
        updated{"device 5 #1 'Lampada più' type=1", "device 7 #2 'Fan' type=1d", "device 9 #3 'Nuova' type=2 group=2"},
        odd{"device 5 #1 'Lampada più' type=1", "device 7 #2 'Fan' type=1d", "device 9 #3 'Nuova' type=2 group=2", "device 20 #4 'Twenty' type=3"},
        all{"device 3 #1 'Spot' type=2", "device 5 #2 'Lamp' type=1", "device 7 #3 'Fan' type=1d"};
    const struct { std::vector<std::string> arguments; Outcome outcome; test::Lines conf, out = {"-"}; } steps[] = {
        {{"import", "--table", "devices", "lamps.csv", "conf.xml"}, {0, "lamps.csv: devices: 2 added, 0 changed, 0 removed, 0 unchanged\n", ""}, lamps},
        {{"import", "--lang", "ita", "--table", "devices", "more.csv", "conf.xml"}, {1, "",
         "more.csv:3: point: '0x' non è un indirizzo di attuatore (da 1 a 99, senza lo 0 finale)\n"
         "more.csv:4: point 5 è già nella configurazione (--update lo modifica, --replace svuota prima la tabella)\n"}, lamps},
        {{"import", "--table", "devices", "spot.csv", "conf.xml", "-o", "out.xml"}, {0, "spot.csv: devices: 1 added, 0 changed, 0 removed, 0 unchanged\n", ""}, lamps, all},
        {{"import", "--replace", "--table", "devices", "spot.csv", "out.xml"}, {0, "spot.csv: devices: 0 added, 0 changed, 2 removed, 1 unchanged\n", ""}, lamps, spot},
        {{"import", "--table", "devices", "--separator", ",", "lamps.csv", "out.xml"}, {1, "", "lamps.csv:1: unknown column 'point;name;type' (the devices table takes address, name, type, group, position, pull, dimmer level)\n"
         "lamps.csv:1: the column 'point', 'address' or 'indirizzo' is missing\nlamps.csv:1: the column 'name' or 'nome' is missing\n"
         "lamps.csv:1: the column 'type' or 'tipo' is missing\n"}, lamps, spot},
        {{"import", "--update", "--table", "devices", "bad.csv", "conf.xml"}, {1, "", "bad.csv:5: type: 'onoff' is not a type: use dimmer, autom., on/off or 1, 2, 1d\n"}, lamps, spot},
        {{"import", "--update", "--table", "devices", "sheet.csv", "conf.xml"}, {0, "sheet.csv: devices: 1 added, 1 changed, 0 removed, 1 unchanged\n", ""}, updated, spot},
        {{"import", "--update", "--table", "devices", "sheet.csv", "conf.xml"}, {0, "sheet.csv: devices: nothing changes\n", ""}, updated, spot},
        {{"import", "--update", "--table", "devices", "odd.csv", "conf.xml", "-o", "out.xml"}, {0, "odd.csv: devices: 1 added, 0 changed, 0 removed, 0 unchanged\n",
         oddWarnings}, updated, odd},
        // files that cannot be read or written, and command-line mistakes: nothing is written
        {{"import", "--table", "devices", "missing.csv", "conf.xml"}, {2, "", "velto-conf: cannot open missing.csv: " + test::Says(ENOENT, 2) + "\n"}, updated, odd},
        {{"import", "--table", "devices", "spot.csv", "dropped.xml", "-o", "out.xml"}, {2, "", kNoticed + "velto-conf: dropped.xml: records left out on reading; nothing written\n"}, updated, odd},
        {{"import", "spot.csv", "conf.xml"}, {2, "", "velto-conf: import needs --table NAME (try --help)\n"}, updated, odd},
        {{"import", "--table", "mh200Scenarios", "spot.csv", "conf.xml"}, {2, "", "velto-conf: the table 'mh200Scenarios' cannot be imported: conf.xml does not keep it\n"}, updated, odd},
        {{"import", "--table", "devices", "spot.csv", "conf.xml", "-o", ""}, {2, "", "velto-conf: -o needs a file name\n"}, updated, odd},
        {{"import", "--update", "--replace", "--table", "devices", "spot.csv", "conf.xml"}, {2, "", "velto-conf: --update and --replace do not go together\n"}, updated, odd},
    };
    // clang-format on
    for (const auto& step : steps) {
        EXPECT_EQ(Invoke(step.arguments), step.outcome) << ::testing::PrintToString(step.arguments);
        EXPECT_EQ(tables("conf.xml"), step.conf) << ::testing::PrintToString(step.arguments);
        EXPECT_EQ(tables("out.xml"), step.out) << ::testing::PrintToString(step.arguments);
    }
    // An import that changes nothing leaves the file as it was written, not as the writer would write it.
    const std::string handWritten =
        "<ACTUATOR><version number=\"1.0.4\"/>\n"
        "<device name=\"Twenty\" point=\"20\" group=\"0\" pull=\"\" type=\"3\"/></ACTUATOR>\n";
    Put("odd.xml", handWritten);
    EXPECT_EQ(Invoke({"import", "--update", "--table", "devices", "odd.csv", "odd.xml"}),
              Outcome(0, "odd.csv: devices: nothing changes\n", oddWarnings));
    EXPECT_EQ(test::ReadBytes("odd.xml"), handWritten);
}

// An import never leaves out records the configuration holds, unless told to, and never writes over
// one of its inputs, by any name.
TEST_F(VeltoConf, ImportRefusesToDropRecordsOrWriteOverItsInputs) {
    Put("spot.csv", "point,name,type\n3,Spot,2\n");
    const std::string inputOutput = "velto-conf: import: %s is the file read, %s; not written\n";
    const auto refused = [&](const std::string& output, const std::string& input) {
        std::string text = inputOutput;
        return text.replace(text.find("%s"), 2, output).replace(text.find("%s"), 2, input);
    };
    const std::string clean = test::ReadBytes("clean.xml");
    // clang-format off
    const struct { std::vector<std::string> arguments; Outcome outcome; } steps[] = {
        {{"import", "--table", "devices", "spot.csv", "clean.xml"}, {2, "", "clean.xml: not saved: device 150 \"Far\"\n"
         "velto-conf: clean.xml: the file written would leave out these records; nothing written (--drop-unsaved leaves them out)\n"}},
        {{"import", "--table", "devices", "spot.csv", "clean.xml", "-o", "spot.csv"}, {2, "", refused("spot.csv", "spot.csv")}},
        {{"import", "--table", "devices", "spot.csv", "clean.xml", "-o", "same.xml"}, {2, "", refused("same.xml", "clean.xml")}},
        {{"import", "--table", "devices", "spot.csv", "new.xml", "-o", "./new.xml"}, {2, "", refused("./new.xml", "new.xml")}},
#ifndef _WIN32 // links need a privilege there
        {{"import", "--table", "devices", "spot.csv", "clean.xml", "-o", "csv-link"}, {2, "", refused("csv-link", "spot.csv")}},
#endif
        {{"import", "--drop-unsaved", "--table", "devices", "spot.csv", "clean.xml", "-o", "out.xml"}, {0, "spot.csv: devices: 1 added, 0 changed, 0 removed, 0 unchanged\n", ""}},
        {{"check", "out.xml"}, {0, "", ""}},
    };
    // clang-format on
#ifndef _WIN32
    fs::create_symlink("spot.csv", "csv-link");
#endif
    for (const auto& step : steps)
        EXPECT_EQ(Invoke(step.arguments), step.outcome) << ::testing::PrintToString(step.arguments);
    EXPECT_EQ(test::ReadBytes("clean.xml"), clean);
    EXPECT_EQ(test::ReadBytes("spot.csv"), "point,name,type\n3,Spot,2\n");
    EXPECT_FALSE(fs::exists("new.xml"));
}

} // namespace
} // namespace velto
