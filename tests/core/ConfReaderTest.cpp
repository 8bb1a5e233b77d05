#include "CoreTestSupport.h"
#include "FileBytes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>
#include <tuple>

namespace velto {
namespace {

using namespace test;

std::string Utf16Le(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
        bytes += {c, '\0'};
    return bytes;
}

struct Row {
    std::string file;
    Lines notices, tables; // the tables: every used slot afterwards
};

// A stop between two copies of what was read before it, which stays; nothing after the stop is read.
Row Stop(const std::string& before, const std::string& stop, const std::string& key, const char* kept) {
    const std::string section = before.substr(1, before.find(' ') - 1);
    return {Doc(before + stop + before + R"(<scmh200 name="M" number="0"/>)"),
            {"Stop " + section + " msgBadParameters key=" + key + " name=S"},
            {kept}};
}
const char* const kDevice = R"(<device name="B" point="1" group="" type="1"/>)";

// A device at point 40 that stops the reading keeps its position and the fields read before.
Row Device40(const std::string& attributes, const std::string& name, const std::string& kept) {
    return {Doc(R"(<device name="F" point="1" group="" type="2"/><device point="40" )" + attributes + "/>"),
            {"Stop device msgBadParameters key=40 name=" + name},
            {"device 1 #1 'F' type=2", "device 40 #2 '" + name + "' type=" + kept}};
}

// A camera read whole, or with an "Invalid" or "Stop" notice; the address it keeps.
Row Camera(const std::string& attributes, const std::string& notice, const std::string& address) {
    const std::string message = notice == "Stop" ? " msgBadParameters" : " msgCameraInvalid";
    return {Doc(R"(<camera name="Cam" number="2" )" + attributes + "/>"),
            notice.empty() ? Lines{} : Lines{notice + " camera" + message + " key=2 name=Cam"},
            {"camera 2 'Cam' " + address}};
}

std::string Mh200(const std::string& first, const std::string& second = "") {
    return Doc(R"(<scmh200 number="3" )" + first + "/>" +
               (second.empty() ? "" : R"(<scmh200 number="3" )" + second + "/>"));
}
const char* const kCenAct = "Invalid scmh200 msgCenActInvalid key=3 name=S";
const char* const kCenDis = "Invalid scmh200 msgCenDisInvalid key=3 name=S";
const char* const kMh200Stop = "Stop scmh200 msgBadParameters key=3 name=S";
const char* const kMh200Duplicate = "Duplicate scmh200 msgMh200Duplicate key=3 name=";

// Keys just out of range below and above, then a duplicate; the first record stays.
Row Ranges(const std::string& element, const std::string& key, const std::string& low,
           const std::string& high, const std::string& message, const std::string& stored = "") {
    auto record = [&](const std::string& number, const std::string& name) {
        return "<" + element + " name=\"" + name + "\" " + key + "=\"" + number +
               R"(" adr="4001" type="1" cenact="1000" cendis="1001"/>)";
    };
    const std::string stem = " " + element + " msg" + message;
    return {Doc(record(low, "Low") + record(high, "High") + record("1", "First") + record("1", "2nd")),
            {"Invalid" + stem + "Invalid key=" + low + " name=Low",
             "Invalid" + stem + "Invalid key=" + high + " name=High",
             "Duplicate" + stem + "Duplicate key=1 name=2nd"},
            {element + " 1 'First'" + stored}};
}

TEST(ConfReader, NoticesAndTables) {
    // clang-format off
    const Row rows[] = {
        // Sections in their fixed order, at any depth; names are case-sensitive.
        {Doc(R"(<Group name="X" group="2"/><group name="G" group="1"/><group name="H" group="1"/><a><b>)"
             R"(<device name="D" point="1" group="" type="1"/></b></a><device name="E" point="1" group="" )"
             R"(type="1"/><group name="S" Group="2"/>)"),
         {"Duplicate device msgDeviceDuplicate key=1 name=E",
          "Duplicate group msgGroupDuplicate key=1 name=H", "Stop group msgBadParameters key= name=S"},
         {"device 1 #1 'D' type=1", "group 1 'G'"}},
        // A key keeps its text, blanks around it allowed; halves round to even, keys near 0 land in slot 0.
        // A name absent is empty; of an attribute given twice, the first counts; a longer name is another.
        {Doc(R"(<load name="L" priority=" 07 "/><load name="M" priority="017"/><group name="A" group="0.3"/>)"
             R"(<aux name="B" number="2.5"/><aux name="C" number="3.5"/><probe name="P" number="-0.4"/>)"
             R"(<device name="Z" point="0.5" group="" type="1"/><group name="G" group="1" name="H" group="2"/>)"
             R"(<probe number="4"/><scf420 number="3"/><device pointX="7" point="5" names="X" name="Y" )"
             R"(groupX="3" group="" typeX="2" type="1"/>)"),
         {"Invalid load msgLoadInvalid key=017 name=M"},
         {"device 0 #1 'Z' type=1", "device 5 #2 'Y' type=1", "group 0 'A'", "group 1 'G'", "load 7 'L'",
          "aux 2 'B'", "aux 4 'C'", "probe 0 'P'"}},

        // Every section but the devices' has a range of keys and reports duplicates.
        Ranges("group", "group", "0", "10", "Group"),
        Ranges("load", "priority", "0", "17", "Load"),
        Ranges("aux", "number", "0", "10", "Aux"),
        Ranges("probe", "number", "0", "100", "Probe"),
        Ranges("camera", "number", "0", "13", "Camera", " 4001"),
        Ranges("scf420", "number", "0", "17", "F420", " 4001"),
        Ranges("scmh200", "number", "0.9", "101", "Mh200", " on=1000 off=1001"),

        // A key that cannot be read stops the reading.
        Stop(R"(<aux name="B" number="1"/>)", R"(<aux name="S" number="-0.6"/>)", "-0.6", "aux 1 'B'"),
        Stop(R"(<probe name="B" number="1"/>)", R"(<probe name="S" number="4a"/>)", "4a", "probe 1 'B'"),
        Stop(kDevice, R"(<device name="S" point="1000"/>)", "1000", "device 1 #1 'B' type=1"),

        // Devices: pull in any case and nothing else; the group a rounded leading number in 0..255; points
        // up to 999; a duplicate and a device of empty type take no slot but count a position.
        {Doc(R"(<device name="A" point="1" group="9.5" pull="Pull" type="1"/><device name="B" point="2" )"
             R"(group="4 x" pull="pulls" type="1"/><device name="C" point="3" group="abc" pull=" pull" )"
             R"(type="1"/><device name="D" point="4" group="-0.4" type="1"/><device name="E" point="5" )"
             R"(group="255" type="2"/><device name="F" point="5" group="2" type="1"/><device name="G" )"
             R"(point="6" group="" type=""/><device name="H" point="6" group="" type="2"/><device )"
             R"(name="Far" point="150" group="" type="1"/><device name="Last" point="999" group="" type="1"/>)"),
         {"Duplicate device msgDeviceDuplicate key=5 name=F"},
         {"device 1 #1 'A' type=1 group=10 pull", "device 2 #2 'B' type=1 group=4", "device 3 #3 'C' type=1",
          "device 4 #4 'D' type=1", "device 5 #5 'E' type=2 group=255", "device 6 #8 'H' type=2",
          "device 150 #9 'Far' type=1", "device 999 #10 'Last' type=1"}},
        Device40(R"(type="1" group="1")", "", ""),
        Device40(R"(name="N" group="1")", "N", ""),
        Device40(R"(name="N" type="1")", "N", "1"),
        Device40(R"(name="N" type="1" group="256")", "N", "1"),
        Device40(R"(name="N" type="1" group="-0.6")", "N", "1"),
        Device40(R"(name="N" type="1" group="2" dimmer="300")", "N", "1 group=2"),
        Device40(R"(name="N" type="1" group="2" dimmer=" ")", "N", "1 group=2"),

        // Cameras: the address is a leading number in 4000..5000, stored before it is checked, then the
        // riser 1 or 2 ("#2"); without an address or a riser the name alone stays and the reading stops.
        Camera(R"(adr="4000.5" type="2")", "", "4000.5#2"),
        Camera(R"(adr="5000abc" type="1")", "", "5000"),
        Camera(R"(adr="4100" type="3")", "Invalid", "4100"),
        Camera(R"(adr="3999" type="1")", "Invalid", "3999"),
        Camera(R"(adr="5001" type="2")", "Invalid", "5001"),
        Camera(R"(adr="" type="1")", "Invalid", ""),
        Camera(R"(type="1")", "Stop", ""),
        Camera(R"(adr="4100")", "Stop", ""),
        Camera(R"(adr="1e400" type="1")", "Stop", ""),

        // MH200 scenarios: a cen command is a leading number in 99..9999 of at least four characters; a
        // second element keeps the first name and replaces each valid command. A missing attribute stops.
        {Mh200(R"(name="S" cenact="099 " cendis="1 2 3")"), {}, {"scmh200 3 'S' on=099  off=1 2 3"}},
        {Mh200(R"(name="S" cenact="100" cendis="9999")"), {kCenAct}, {"scmh200 3 'S' on= off="}},
        {Mh200(R"(name="S" cenact="98.9" cendis="9999")"), {kCenAct}, {"scmh200 3 'S' on= off="}},
        {Mh200(R"(name="S" cenact="1000" cendis="10000")"), {kCenDis}, {"scmh200 3 'S' on=1000 off="}},
        {Mh200("name=\"S\" cenact=\"1000\" cendis=\"99\u00e9\""), {kCenDis}, {"scmh200 3 'S' on=1000 off="}},
        {Mh200(R"(name="S" cenact="1000" cendis="1001")", R"(name="T" cenact="2000" cendis="2001")"),
         {kMh200Duplicate + std::string("T")}, {"scmh200 3 'S' on=2000 off=2001"}},
        {Mh200(R"(name="S" cenact="1000" cendis="1001")", R"(cenact="2000" cendis="1")"),
         {kMh200Duplicate, "Invalid scmh200 msgCenDisInvalid key=3 name="},
         {"scmh200 3 'S' on=2000 off=1001"}},
        {Mh200(R"(cenact="1000" cendis="1001")"), {"Stop scmh200 msgBadParameters key=3 name="}, {}},
        {Mh200(R"(name="S" cendis="1001")"), {kMh200Stop}, {"scmh200 3 'S' on= off="}},
        {Mh200(R"(name="S" cenact="1000")"), {kMh200Stop}, {"scmh200 3 'S' on=1000 off="}},
        {Mh200(R"(name="S" cenact="1000" cendis="1001")", R"(cendis="1")"),
         {kMh200Duplicate, "Stop scmh200 msgBadParameters key=3 name="}, {"scmh200 3 'S' on=1000 off=1001"}},

        // Text encodings: each value that is not UTF-8 is Windows-1252, references still replaced, after a
        // UTF-8 byte-order mark too; a reference to U+0000 does not cut the name; UTF-16 with its mark.
        {"\xEF\xBB\xBF<a><group name=\"Caff\xE8 &amp; &#8364;&#x153;\t\" group=\"1\"/>"
         "<load name=\"\xC3\xA8\" priority=\"1\"/></a>",
         {"OldVersion"}, {"group 1 'Caff\u00e8 & \u20ac\u0153 '", "load 1 '\u00e8'"}},
        {"<a><load name=\"Caff\xE8\" priority=\"1\"/></a>", {"OldVersion"}, {"load 1 'Caff\u00e8'"}}, // no "&" at all
        {Utf16Le(Doc(R"(<group name="a&#0;b&#x0;&#233;" group="1"/>)")), {},
         {"group 1 'a\ufffdb\ufffd\u00e9'"}},

        // The version element, found anywhere; any other version or none at all is old, but still read.
        {R"(<x><a><version number="1.0.4"/></a><version number="2"/></x>)", {}, {}},
        {R"(<ACTUATOR><version number="1.0.4 "/></ACTUATOR>)", {"OldVersion"}, {}},

        // Files that cannot be parsed; the offset counts the file's bytes, in Windows-1252 text too.
        {"\xEF\xBB\xBF<a></b>", {"ParseFailure Start-end tags mismatch at offset 8"}, {}},
        {"<a n=\"\xE8\xE8\"></b>", {"ParseFailure Start-end tags mismatch at offset 12"}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const Reading result = Load(row.file);
        EXPECT_EQ(result.notices, row.notices);
        EXPECT_EQ(Dump(*result.model), row.tables);
    }
}

std::string Devices(int count, int duplicateAt) {
    std::string body;
    for (int i = 1; i <= count; ++i)
        body += R"(<device name="D)" + std::to_string(i) + R"(" point=")" +
                std::to_string(i == duplicateAt || duplicateAt < 0 ? 1 : i) + R"(" group="" type="1"/>)";
    return Doc(body);
}

// Positions fit a byte (a duplicate at the 256th is reported, not stored); the counter fits sixteen bits.
TEST(ConfReader, DevicePositions) {
    const std::tuple<int, int, std::size_t, std::string> cases[] = {
        {256, 0, 1, "Stop device msgBadParameters key=256 name=D256"},
        {257, 256, 2, "Stop device msgBadParameters key=257 name=D257"},
        {32768, -1, 32767, "Stop device msgBadParameters key=1 name=D32767"},
    };
    for (const auto& [count, duplicateAt, notices, last] : cases) {
        const Reading result = Load(Devices(count, duplicateAt));
        ASSERT_EQ(result.notices.size(), notices);
        EXPECT_EQ(result.notices.back(), last);
    }
}

// A file that cannot be read has no version (one of the largest size is read); an exception keeps all.
TEST(ConfReader, FilesThatCannotBeRead) {
    const TempFolder folder;
    const std::string exact = (folder / "exact.xml").string(), large = (folder / "large.xml").string();
    for (const auto& [path, size] : {std::pair{exact, kMaxConfigFileSize}, {large, kMaxConfigFileSize + 1}}) {
        std::ofstream{path};
        std::filesystem::resize_file(path, size); // zeros, read to the end
    }
    const std::pair<std::string, std::string> cases[] = {
        {DataPath("writer"), "CannotRead " + test::Says(EISDIR)},
        {exact, "ParseFailure No document element found at offset 67108863"},
        {large, "CannotRead File too large for a configuration file"},
    };
    for (const auto& [path, notice] : cases) {
        const Reading result = Load(path, true);
        EXPECT_EQ(result.notices, Lines{notice});
        EXPECT_FALSE(result.complete);
        EXPECT_EQ(result.version, "");
    }

    Reading kept;
    kept.model->GroupTable[3] = "Kept";
    const auto throwing = [](const Notice&) { throw std::runtime_error("sink failed"); };
    EXPECT_THROW(
        LoadConfigBytes("<a><group name=\"G\" group=\"1\"/></a>", *kept.model, kept.version, throwing),
        std::runtime_error);
    EXPECT_EQ(Dump(*kept.model), Lines{"group 3 'Kept'"});
    EXPECT_EQ(kept.version, "not set");

    // The tree may take three times the file's size, and never less than 64 MiB; past that the file is
    // refused as unreadable. Each empty element costs pugixml 64 bytes of tree; the rest of the file is
    // one long name, a small tree. {file size, tree of its elements, loads}
    const std::tuple<std::size_t, std::size_t, bool> trees[] = {{20u << 20, 0, true},
                                                                {20u << 20, 68u << 20, false},
                                                                {24u << 20, 68u << 20, true},
                                                                {24u << 20, 76u << 20, false}};
    for (const auto& [size, tree, loads] : trees) {
        std::string elements;
        for (std::size_t element = 0; element < tree / 64; ++element)
            elements += "<a/>";
        const std::string name(size - Doc(elements + R"(<group name="" group="1"/>)").size(), 'n');
        const Reading result = Load(Doc(elements + "<group name=\"" + name + "\" group=\"1\"/>"));
        EXPECT_EQ(result.model->GroupTable[1].size(), loads ? name.size() : 0)
            << size << " with a tree of " << tree;
        EXPECT_EQ(result.notices.empty() ? "" : result.notices[0].substr(0, 44),
                  loads ? "" : "ParseFailure Could not allocate memory at of");
    }
}

} // namespace
} // namespace velto
