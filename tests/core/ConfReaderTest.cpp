#include "ConfReader.h"

#include "CoreTestSupport.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <system_error>

namespace velto {
namespace {

using test::LoadBytes;
using test::LoadResult;
using Lines = std::vector<std::string>;

std::string Doc(const std::string& body) {
    return "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n" + body + "\r\n</ACTUATOR>\r\n";
}

struct ReaderCase {
    const char* what;
    std::string file;
    Lines notices;
    bool complete;
    std::function<void(const ConfigModel&)> check;
};

void RunCases(const std::vector<ReaderCase>& cases) {
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.what);
        const LoadResult result = LoadBytes(c.file);
        EXPECT_EQ(result.Described(), c.notices);
        EXPECT_EQ(result.complete, c.complete);
        if (c.check)
            c.check(*result.model);
    }
}

TEST(ConfReader, VersionCheck) {
    const struct {
        const char* file;
        const char* version;
        bool old;
    } cases[] = {
        {"<ACTUATOR><version number=\"1.0.4\"></version></ACTUATOR>", "1.0.4", false},
        {"<ACTUATOR></ACTUATOR>", "", true},
        {"<ACTUATOR><version number=\"1.0.3\"/></ACTUATOR>", "1.0.3", true},
        {"<ACTUATOR><version/></ACTUATOR>", "", true},
        {"<ACTUATOR><version number=\"1.0.4 \"/></ACTUATOR>", "1.0.4 ", true},
        {"<ACTUATOR><version Number=\"1.0.4\"/></ACTUATOR>", "", true},
        {"<x><a><version number=\"1.0.4\"/></a><version number=\"2\"/></x>", "1.0.4", false},
    };
    for (const auto& c : cases) {
        const LoadResult result = LoadBytes(c.file);
        EXPECT_EQ(result.version, c.version) << c.file;
        EXPECT_EQ(result.Described(), c.old ? Lines{"OldVersion"} : Lines{}) << c.file;
        EXPECT_TRUE(result.complete) << c.file;
    }
}

TEST(ConfReader, AnOldVersionStillLoadsEverything) {
    const LoadResult result = LoadBytes("<ACTUATOR><version number=\"1.0.3\"/><group name=\"G\" group=\"1\"/>"
                                        "<device name=\"D\" point=\"2\" group=\"1\" type=\"1\"/></ACTUATOR>");
    EXPECT_EQ(result.Described(), Lines{"OldVersion"});
    EXPECT_EQ(result.model->GroupTable[1], "G");
    EXPECT_EQ(result.model->DeviceTable[2].name, "D");
}

TEST(ConfReader, SectionsAndKeys) {
    RunCases({
        {"sections in their fixed order, at any depth",
         Doc("<group name=\"G\" group=\"1\"/><group name=\"H\" group=\"1\"/>"
             "<a><b><device name=\"D\" point=\"1\" group=\"\" type=\"1\"/></b></a>"
             "<device name=\"E\" point=\"1\" group=\"\" type=\"1\"/>"),
         {"Duplicate device msgDeviceDuplicate key=1 name=E",
          "Duplicate group msgGroupDuplicate key=1 name=H"},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.DeviceTable[1].name, "D");
             EXPECT_EQ(m.GroupTable[1], "G");
         }},
        {"names are case-sensitive",
         Doc("<Group name=\"G\" group=\"1\"/><group name=\"H\" Group=\"2\"/>"),
         {"Stop group msgBadParameters key= name=H"},
         false,
         [](const ConfigModel& m) { EXPECT_EQ(m.GroupTable[1], ""); }},
        {"a key keeps its text; blanks around it are allowed",
         Doc("<load name=\"L\" priority=\" 07 \"/><load name=\"M\" priority=\"017\"/>"),
         {"Invalid load msgLoadInvalid key=017 name=M"},
         true,
         [](const ConfigModel& m) { EXPECT_EQ(m.LoadTable[7], "L"); }},
        {"halves round to even; keys near 0 land in slot 0",
         Doc("<group name=\"A\" group=\"0.3\"/><aux name=\"B\" number=\"2.5\"/><aux name=\"C\" "
             "number=\"3.5\"/>"
             "<probe name=\"P\" number=\"-0.4\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.GroupTable[0], "A");
             EXPECT_EQ(m.AuxTable[2], "B");
             EXPECT_EQ(m.AuxTable[4], "C");
             EXPECT_EQ(m.ProbeTable[0], "P");
         }},
        {"0.5 rounds to slot 0 of the device table",
         Doc("<device name=\"Z\" point=\"0.5\" group=\"\" type=\"1\"/>"),
         {},
         true,
         [](const ConfigModel& m) { EXPECT_EQ(m.DeviceTable[0].name, "Z"); }},
        {"an absent name is stored empty",
         Doc("<probe number=\"4\"/><scf420 number=\"3\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.ProbeTable[4], "");
             EXPECT_EQ(m.ScenarioTable[3].address, "");
         }},
        {"names come back decoded",
         Doc("<group name=\"Tom &amp; Jerry &lt;&quot;&#233;&#128512;&gt; &#9;&#10;&#13;\" group=\"1\"/>"),
         {},
         true,
         [](const ConfigModel& m) { EXPECT_EQ(m.GroupTable[1], "Tom & Jerry <\"\u00e9\U0001F600> \t\n\r"); }},
        {"F420 scenarios keep name and address as written",
         Doc("<scf420 name=\"Away\" number=\"16\" adr=\"5#4#3\"/><scf420 name=\"X\" number=\"16\" "
             "adr=\"1\"/>"),
         {"Duplicate scf420 msgF420Duplicate key=16 name=X"},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.ScenarioTable[16].name, "Away");
             EXPECT_EQ(m.ScenarioTable[16].address, "5#4#3");
         }},
    });
}

TEST(ConfReader, RangesAndDuplicatesOfEverySection) {
    struct Section {
        const char* element;
        const char* key;
        const char* low;  // first invalid key below the range
        const char* high; // first invalid key above it
        const char* invalid;
        const char* duplicate;
    };
    const Section sections[] = {
        {"group", "group", "0", "10", "msgGroupInvalid", "msgGroupDuplicate"},
        {"load", "priority", "0", "17", "msgLoadInvalid", "msgLoadDuplicate"},
        {"aux", "number", "0", "10", "msgAuxInvalid", "msgAuxDuplicate"},
        {"probe", "number", "0", "100", "msgProbeInvalid", "msgProbeDuplicate"},
        {"camera", "number", "0", "13", "msgCameraInvalid", "msgCameraDuplicate"},
        {"scf420", "number", "0", "17", "msgF420Invalid", "msgF420Duplicate"},
        {"scmh200", "number", "0.9", "101", "msgMh200Invalid", "msgMh200Duplicate"},
    };
    for (const Section& s : sections) {
        SCOPED_TRACE(s.element);
        const std::string extra = " adr=\"4001\" type=\"1\" cenact=\"1000\" cendis=\"1001\"";
        auto element = [&](const char* key, const char* name) {
            return std::string("<") + s.element + " name=\"" + name + "\" " + s.key + "=\"" + key + "\"" +
                   extra + "/>";
        };
        const LoadResult result = LoadBytes(Doc(element(s.low, "Low") + element(s.high, "High") +
                                                element("1", "First") + element("1", "Second")));
        const std::string prefix = std::string(" ") + s.element + " ";
        EXPECT_EQ(result.Described(), (Lines{"Invalid" + prefix + s.invalid + " key=" + s.low + " name=Low",
                                             "Invalid" + prefix + s.invalid + " key=" + s.high + " name=High",
                                             "Duplicate" + prefix + s.duplicate + " key=1 name=Second"}));
        EXPECT_TRUE(result.complete);
    }
}

TEST(ConfReader, AStopEndsTheReadingAndKeepsWhatWasReadBefore) {
    const struct {
        const char* what;
        const char* before; // read before the stop, and again after it, where it would be a duplicate
        const char* stop;
    } cases[] = {
        {"negative key", "<group name=\"B\" group=\"1\"/>", "<group name=\"S\" group=\"-1\"/>"},
        {"key rounding below slot 0", "<aux name=\"B\" number=\"1\"/>", "<aux name=\"S\" number=\"-0.6\"/>"},
        {"key that is not a number", "<probe name=\"B\" number=\"1\"/>", "<probe name=\"S\" number=\"4a\"/>"},
        {"empty key", "<load name=\"B\" priority=\"1\"/>", "<load name=\"S\" priority=\"\"/>"},
        {"absent key", "<scf420 name=\"B\" number=\"1\"/>", "<scf420 name=\"S\" adr=\"1\"/>"},
        {"device point above the slots", "<device name=\"B\" point=\"1\" group=\"\" type=\"1\"/>",
         "<device name=\"S\" point=\"1000\" group=\"\" type=\"1\"/>"},
        {"negative device point", "<device name=\"B\" point=\"1\" group=\"\" type=\"1\"/>",
         "<device name=\"S\" point=\"-1\" group=\"\" type=\"1\"/>"},
        {"device point too large to round", "<device name=\"B\" point=\"1\" group=\"\" type=\"1\"/>",
         "<device name=\"S\" point=\"1e400\" group=\"\" type=\"1\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The scmh200 section is read last: its invalid element shows whether reading went on.
        const LoadResult result =
            LoadBytes(Doc(std::string(c.before) + c.stop + c.before + "<scmh200 name=\"M\" number=\"0\"/>"));
        ASSERT_EQ(result.notices.size(), 1u);
        EXPECT_EQ(result.notices[0].kind, NoticeKind::Stop);
        EXPECT_EQ(result.notices[0].message, ReaderMessage::BadParameters);
        EXPECT_EQ(result.notices[0].name, "S");
        EXPECT_FALSE(result.complete);
    }
}

TEST(ConfReader, Devices) {
    RunCases({
        {"every field, pull and dimmer included",
         Doc("<device name=\"Lamp\" point=\"12\" group=\"3\" pull=\"PULL\" type=\"1\" dimmer=\"200\"/>"
             "<device name=\"Fan\" point=\"07\" group=\"\" pull=\"\" type=\"1d\" dimmer=\"\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             const DeviceRecord& lamp = m.DeviceTable[12];
             EXPECT_EQ(lamp.name, "Lamp");
             EXPECT_EQ(lamp.typeCode, "1");
             EXPECT_EQ(lamp.group, 3);
             EXPECT_TRUE(lamp.pull);
             EXPECT_EQ(lamp.dimmer, 200);
             EXPECT_EQ(lamp.inUse, 1);
             EXPECT_EQ(m.DeviceTable[7].inUse, 2);
             EXPECT_EQ(m.DeviceTable[7].group, 0);
             EXPECT_FALSE(m.DeviceTable[7].pull);
         }},
        {"pull in any case, nothing else",
         Doc("<device name=\"A\" point=\"1\" group=\"\" pull=\"Pull\" type=\"1\"/>"
             "<device name=\"B\" point=\"2\" group=\"\" pull=\"pulls\" type=\"1\"/>"
             "<device name=\"C\" point=\"3\" group=\"\" pull=\" pull\" type=\"1\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             EXPECT_TRUE(m.DeviceTable[1].pull);
             EXPECT_FALSE(m.DeviceTable[2].pull);
             EXPECT_FALSE(m.DeviceTable[3].pull);
         }},
        {"a duplicate keeps the first and still counts a position",
         Doc("<device name=\"A\" point=\"12\" group=\"1\" type=\"1\"/>"
             "<device name=\"B\" point=\"12\" group=\"2\" type=\"2\"/>"
             "<device name=\"C\" point=\"13\" group=\"\" type=\"2\"/>"),
         {"Duplicate device msgDeviceDuplicate key=12 name=B"},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.DeviceTable[12].name, "A");
             EXPECT_EQ(m.DeviceTable[12].group, 1);
             EXPECT_EQ(m.DeviceTable[13].inUse, 3);
         }},
        {"the group is a leading number, rounded, with no range but 0..255",
         Doc("<device name=\"A\" point=\"1\" group=\"9.5\" type=\"1\"/>"
             "<device name=\"B\" point=\"2\" group=\"4 x\" type=\"1\"/>"
             "<device name=\"C\" point=\"3\" group=\"abc\" type=\"1\"/>"
             "<device name=\"D\" point=\"4\" group=\"-0.4\" type=\"1\"/>"
             "<device name=\"E\" point=\"5\" group=\"255\" type=\"1\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.DeviceTable[1].group, 10);
             EXPECT_EQ(m.DeviceTable[2].group, 4);
             EXPECT_EQ(m.DeviceTable[3].group, 0);
             EXPECT_EQ(m.DeviceTable[4].group, 0);
             EXPECT_EQ(m.DeviceTable[5].group, 255);
         }},
        {"any point up to 999 has its slot",
         Doc("<device name=\"Far\" point=\"150\" group=\"\" type=\"1\"/>"
             "<device name=\"Last\" point=\"999\" group=\"\" type=\"1\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.DeviceTable[150].name, "Far");
             EXPECT_EQ(m.DeviceTable[999].name, "Last");
         }},
        {"a device whose type is empty does not take its slot",
         Doc("<device name=\"A\" point=\"6\" group=\"\" type=\"\"/><device name=\"B\" point=\"6\" group=\"\" "
             "type=\"2\"/>"),
         {},
         true,
         [](const ConfigModel& m) {
             EXPECT_EQ(m.DeviceTable[6].name, "B");
             EXPECT_EQ(m.DeviceTable[6].inUse, 2);
         }},
    });
}

TEST(ConfReader, DeviceStopsKeepTheFieldsReadBefore) {
    const struct {
        const char* attributes;
        const char* name;
        const char* type;
        int group;
    } cases[] = {
        {"type=\"1\" group=\"1\"", "", "", 0},
        {"name=\"N\" group=\"1\"", "N", "", 0},
        {"name=\"N\" type=\"1\"", "N", "1", 0},
        {"name=\"N\" type=\"1\" group=\"256\"", "N", "1", 0},
        {"name=\"N\" type=\"1\" group=\"-0.6\"", "N", "1", 0},
        {"name=\"N\" type=\"1\" group=\"2\" dimmer=\"300\"", "N", "1", 2},
        {"name=\"N\" type=\"1\" group=\"2\" dimmer=\"-1\"", "N", "1", 2},
        {"name=\"N\" type=\"1\" group=\"2\" dimmer=\"high\"", "N", "1", 2},
        {"name=\"N\" type=\"1\" group=\"2\" dimmer=\" \"", "N", "1", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        const LoadResult result = LoadBytes(Doc("<device name=\"First\" point=\"1\" group=\"\" type=\"2\"/>"
                                                "<device point=\"40\" " +
                                                std::string(c.attributes) + "/>"));
        EXPECT_EQ(result.Described(),
                  Lines{std::string("Stop device msgBadParameters key=40 name=") + c.name});
        EXPECT_FALSE(result.complete);
        const DeviceRecord& device = result.model->DeviceTable[40];
        EXPECT_EQ(device.inUse, 2);
        EXPECT_EQ(device.name, c.name);
        EXPECT_EQ(device.typeCode, c.type);
        EXPECT_EQ(device.group, c.group);
        EXPECT_EQ(device.dimmer, 0);
    }
}

std::string Devices(int count, int duplicateAt) {
    std::string body;
    for (int i = 1; i <= count; ++i) {
        const int point = i == duplicateAt ? 1 : i;
        body += "<device name=\"D" + std::to_string(i) + "\" point=\"" + std::to_string(point) +
                "\" group=\"\" type=\"1\"/>\n";
    }
    return Doc(body);
}

TEST(ConfReader, ThePositionOfADeviceMustFitInAByte) {
    LoadResult result = LoadBytes(Devices(256, 0));
    EXPECT_EQ(result.Described(), Lines{"Stop device msgBadParameters key=256 name=D256"});
    EXPECT_EQ(result.model->DeviceTable[255].inUse, 255);
    EXPECT_EQ(result.model->DeviceTable[256].name, "");
    EXPECT_EQ(result.model->DeviceTable[256].inUse, 0);

    // A duplicate at position 256 is reported, not stored, so it does not stop; the next one does.
    result = LoadBytes(Devices(257, 256));
    EXPECT_EQ(result.Described(), (Lines{"Duplicate device msgDeviceDuplicate key=1 name=D256",
                                         "Stop device msgBadParameters key=257 name=D257"}));
}

TEST(ConfReader, ThePositionCounterEndsAtItsSixteenBitLimit) {
    // After one stored device every element is a duplicate: the 32767th cannot advance the count.
    std::string body = "<device name=\"D\" point=\"1\" group=\"\" type=\"1\"/>";
    for (int i = 2; i <= 32768; ++i)
        body += "<device name=\"D\" point=\"1\" group=\"\" type=\"1\"/>";
    LoadResult result = LoadBytes(Doc(body));
    EXPECT_FALSE(result.complete);
    ASSERT_EQ(result.notices.size(), 32767u); // 32766 duplicates, then the stop
    EXPECT_EQ(result.notices[32765].kind, NoticeKind::Duplicate);
    EXPECT_EQ(result.notices.back().kind, NoticeKind::Stop);
}

TEST(ConfReader, Cameras) {
    auto camera = [](const std::string& attributes) {
        return "<camera name=\"Cam\" number=\"2\" " + attributes + "/>";
    };
    const struct {
        std::string attributes;
        bool invalid;
        const char* address;
    } cases[] = {
        {"adr=\"4100\" type=\"2\"", false, "4100#2"},
        {"adr=\"4100\" type=\"1\"", false, "4100"},
        {"adr=\"04100\" type=\"1\"", false, "4100"},
        {"adr=\"4100abc\" type=\"1\"", false, "4100"},
        {"adr=\"4000.5\" type=\"2\"", false, "4000.5#2"},
        {"adr=\"5000\" type=\"1\"", false, "5000"},
        {"adr=\"4100\" type=\"3\"", true, "4100"},
        {"adr=\"4100\" type=\"\"", true, "4100"},
        {"adr=\"3999\" type=\"1\"", true, "3999"},
        {"adr=\"5001\" type=\"2\"", true, "5001"},
        {"adr=\"x\" type=\"1\"", true, "0"},
        {"adr=\"\" type=\"1\"", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        const LoadResult result = LoadBytes(Doc(camera(c.attributes)));
        EXPECT_EQ(result.Described(),
                  c.invalid ? Lines{"Invalid camera msgCameraInvalid key=2 name=Cam"} : Lines{});
        EXPECT_TRUE(result.complete);
        EXPECT_EQ(result.model->CameraTable[2].name, "Cam");
        EXPECT_EQ(result.model->CameraTable[2].address, c.address);
    }
    for (const char* attributes : {"type=\"1\"", "adr=\"4100\""}) {
        SCOPED_TRACE(attributes);
        const LoadResult result = LoadBytes(Doc(camera(attributes)));
        EXPECT_EQ(result.Described(), Lines{"Stop camera msgBadParameters key=2 name=Cam"});
        EXPECT_EQ(result.model->CameraTable[2].name, "Cam");
        EXPECT_EQ(result.model->CameraTable[2].address, "");
    }
}

TEST(ConfReader, Mh200Scenarios) {
    auto scenario = [](const std::string& attributes) {
        return "<scmh200 number=\"3\" " + attributes + "/>";
    };
    const struct {
        std::string elements;
        Lines notices;
        const char* name;
        const char* activation;
        const char* deactivation;
    } cases[] = {
        {scenario("name=\"S\" cenact=\"0099\" cendis=\"9999\""), {}, "S", "0099", "9999"},
        {scenario("name=\"S\" cenact=\"100\" cendis=\"9999\""),
         {"Invalid scmh200 msgCenActInvalid key=3 name=S"},
         "S",
         "",
         ""},
        {scenario("name=\"S\" cenact=\"98.9\" cendis=\"9999\""),
         {"Invalid scmh200 msgCenActInvalid key=3 name=S"},
         "S",
         "",
         ""},
        {scenario("name=\"S\" cenact=\"1000\" cendis=\"10000\""),
         {"Invalid scmh200 msgCenDisInvalid key=3 name=S"},
         "S",
         "1000",
         ""},
        {scenario("name=\"S\" cenact=\"1000\" cendis=\"99\u00e9\""),
         {"Invalid scmh200 msgCenDisInvalid key=3 name=S"},
         "S",
         "1000",
         ""},
        {scenario("name=\"S\" cenact=\"099 \" cendis=\"1 2 3\""), {}, "S", "099 ", "1 2 3"},
        {scenario("name=\"S\" cenact=\"1000\" cendis=\"1001\"") +
             scenario("name=\"T\" cenact=\"2000\" cendis=\"2001\""),
         {"Duplicate scmh200 msgMh200Duplicate key=3 name=T"},
         "S",
         "2000",
         "2001"},
        {scenario("name=\"S\" cenact=\"1000\" cendis=\"1001\"") + scenario("cenact=\"2000\" cendis=\"1\""),
         {"Duplicate scmh200 msgMh200Duplicate key=3 name=", "Invalid scmh200 msgCenDisInvalid key=3 name="},
         "S",
         "2000",
         "1001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elements);
        const LoadResult result = LoadBytes(Doc(c.elements));
        EXPECT_EQ(result.Described(), c.notices);
        EXPECT_TRUE(result.complete);
        const Mh200Record& record = result.model->Mh200ScenarioTable[3];
        EXPECT_EQ(record.name, c.name);
        EXPECT_EQ(record.cenActivation, c.activation);
        EXPECT_EQ(record.cenDeactivation, c.deactivation);
    }
}

TEST(ConfReader, Mh200Stops) {
    const struct {
        std::string elements;
        const char* name;
        const char* activation;
    } cases[] = {
        {"<scmh200 number=\"3\" cenact=\"1000\" cendis=\"1001\"/>", "", ""},
        {"<scmh200 name=\"S\" number=\"3\" cendis=\"1001\"/>", "S", ""},
        {"<scmh200 name=\"S\" number=\"3\" cenact=\"1000\"/>", "S", "1000"},
        {"<scmh200 name=\"S\" number=\"3\" cenact=\"1000\" cendis=\"1001\"/><scmh200 number=\"3\" "
         "cendis=\"1\"/>",
         "S", "1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elements);
        const LoadResult result = LoadBytes(Doc(c.elements));
        ASSERT_FALSE(result.notices.empty());
        EXPECT_EQ(result.notices.back().kind, NoticeKind::Stop);
        EXPECT_FALSE(result.complete);
        EXPECT_EQ(result.model->Mh200ScenarioTable[3].name, c.name);
        EXPECT_EQ(result.model->Mh200ScenarioTable[3].cenActivation, c.activation);
    }
}

TEST(ConfReader, NoticesReadInBothLanguages) {
    const LoadResult result =
        LoadBytes(Doc("<device name=\"A\" point=\"12\" group=\"\" type=\"1\"/>"
                      "<device name=\"B\" point=\"12\" group=\"\" type=\"1\"/>"
                      "<group name=\"Lights\" group=\"12\"/><probe name=\"P\" number=\"5\"/>"
                      "<probe name=\"Q\" number=\"5\"/><group name=\"X\" group=\"-1\"/>"));
    const std::pair<const char*, const char*> expected[] = {
        {"Attuatore 12 duplicato", "Actuator 12 duplicate"},
        {"Gruppo non valido: 12 - Lights", "Invalid group: 12 - Lights"},
        {"Parametri non validi sul file conf.xml", "Invalid parameters in the file conf.xml"},
    };
    ASSERT_EQ(result.notices.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(NoticeText(result.notices[i], true), expected[i].first);
        EXPECT_EQ(NoticeText(result.notices[i], false), expected[i].second);
    }
}

TEST(ConfReader, AFileThatCannotBeParsedLeavesTheTablesAlone) {
    const struct {
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"", "No document element found at offset 0"},
        {"<ACTUATOR><group name=\"G\" group=\"1\"></ACTUATOR>", "Start-end tags mismatch at offset 38"},
        {"<ACTUATOR><group name=\"G group=\"1\"/></ACTUATOR>",
         "Error parsing start element tag at offset 32"},
        {"\xEF\xBB\xBF<a></b>", "Start-end tags mismatch at offset 8"},
        // Windows-1252 text: the offset counts the file's bytes, not those of its UTF-8 form.
        {"<a n=\"\xE8\xE8\"></b>", "Start-end tags mismatch at offset 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        auto model = test::EmptyModel();
        model->GroupTable[3] = "Kept";
        std::string version = "1.0.4";
        std::vector<Notice> notices;
        EXPECT_FALSE(
            LoadConfigBytes(c.bytes, *model, version, [&](const Notice& n) { notices.push_back(n); }));
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, NoticeKind::ParseFailure);
        EXPECT_EQ(notices[0].reason, c.reason);
        EXPECT_EQ(NoticeText(notices[0], false), c.reason);
        EXPECT_EQ(version, "");
        EXPECT_EQ(model->GroupTable[3], "Kept");
        EXPECT_EQ(model->GroupTable[1], "");
    }
}

TEST(ConfReader, TextEncodings) {
    const std::pair<std::string, const char*> cases[] = {
        {"<a><group name=\"Caff\xE8 \x80\" group=\"1\"/></a>", "Caff\u00e8 \u20ac"},
        {"<a><group name=\"Caff\xE8 &amp; &#8364;&#x153;\t\" group=\"1\"/></a>",
         "Caff\u00e8 & \u20ac\u0153 "},
        {"<a><group name=\"Caff\xC3\xA8\" group=\"1\"/></a>", "Caff\u00e8"},
        {"\xEF\xBB\xBF<a><group name=\"Caff\xC3\xA8\" group=\"1\"/></a>", "Caff\u00e8"},
        // One byte that is not UTF-8 makes the whole file Windows-1252.
        {"<a><group name=\"\xC3\xA8\" group=\"1\"/><load name=\"\xFF\" priority=\"1\"/></a>", "\u00c3\u00a8"},
    };
    for (const auto& [bytes, name] : cases) {
        const LoadResult result = LoadBytes(bytes);
        EXPECT_EQ(result.model->GroupTable[1], name) << bytes;
    }
}

TEST(ConfReader, ReadsFiles) {
    LoadResult result = test::LoadFile(test::DataPath("reader/legacy_cp1252.xml"));
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.Described(), Lines{});
    EXPECT_EQ(result.version, "1.0.4");
    EXPECT_EQ(result.model->DeviceTable[3].name, "Cucina \u00e0 vista");
    EXPECT_EQ(result.model->GroupTable[1], "Caff\u00e8 \u20ac \u0153");

    for (const auto& [path, error] : {std::pair{test::DataPath("reader/no such file.xml"), ENOENT},
                                      std::pair{test::DataPath("reader"), EISDIR}}) {
        result = test::LoadFile(path);
        EXPECT_FALSE(result.complete);
        ASSERT_EQ(result.notices.size(), 1u) << path;
        EXPECT_EQ(result.notices[0].kind, NoticeKind::ParseFailure);
        EXPECT_EQ(result.notices[0].reason, std::system_category().message(error));
        EXPECT_EQ(result.version, "");
    }
}

TEST(ConfReader, AFileMadeOfMarkupCannotTakeMemoryBeyondItsSize) {
    // 20 MB of empty elements would need over 300 MB of document tree, more than the 64 MB any file
    // may use: refused as unreadable.
    std::string markup = "<ACTUATOR>";
    while (markup.size() < (20u << 20))
        markup += "<a/><a/><a/><a/><a/><a/><a/><a/>";
    markup += "</ACTUATOR>";
    LoadResult result = LoadBytes(markup);
    EXPECT_FALSE(result.complete);
    ASSERT_EQ(result.notices.size(), 1u);
    EXPECT_EQ(result.notices[0].kind, NoticeKind::ParseFailure);
    EXPECT_EQ(result.notices[0].reason.rfind("Could not allocate memory at offset ", 0), 0u);

    // The same size in one long name is a small tree, and loads.
    const std::string name(20u << 20, 'n');
    result = LoadBytes(Doc("<group name=\"" + name + "\" group=\"1\"/>"));
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.model->GroupTable[1].size(), name.size());
}

} // namespace
} // namespace velto
