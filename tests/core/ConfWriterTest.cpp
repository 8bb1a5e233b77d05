#include "ConfWriter.h"

#include "CoreTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace velto {
namespace {

using test::DataPath;
using test::ReadBytes;

void PutDevice(ConfigModel& model, int address, const char* name, int group, const char* type,
               std::uint8_t inUse) {
    DeviceRecord& device = model.DeviceTable[address];
    device.name = name;
    device.group = static_cast<std::uint8_t>(group);
    device.typeCode = type;
    device.inUse = inUse;
}

void WorkedExample(ConfigModel& model) {
    PutDevice(model, 5, "Lamp", 2, "1", 1);
    model.GroupTable[2] = "Ground floor";
    model.LoadTable[1] = "Oven";
    model.AuxTable[1] = "Intercom";
    model.ProbeTable[3] = "Living room";
    model.CameraTable[1] = {"Entrance", "4001"};
    model.ScenarioTable[2] = {"Night", "12"};
}

// Highest keys, records the file never carries (slot 0, devices beyond 99, MH200 scenarios, the
// reader-only device fields) and half-filled slots that are not records.
void EdgeKeys(ConfigModel& model) {
    PutDevice(model, 7, "Fan", 0, "1d", 1);
    PutDevice(model, 99, "Blind", 9, "2", 2);
    model.DeviceTable[99].pull = true;
    model.DeviceTable[99].dimmer = 200;
    PutDevice(model, 0, "Slot zero", 1, "1", 3);
    PutDevice(model, 150, "Far away", 1, "1", 4);
    PutDevice(model, 10, "Not in use", 1, "1", 0);
    model.GroupTable[9] = "Top";
    model.GroupTable[0] = "Zero";
    model.LoadTable[16] = "Heater";
    model.LoadTable[0] = "Zero";
    model.AuxTable[9] = "Bell";
    model.ProbeTable[99] = "Attic";
    model.ProbeTable[0] = "Zero";
    model.CameraTable[12] = {"Gate", "4500#2"};
    model.CameraTable[3] = {"Yard", "4100"};
    model.CameraTable[1] = {"No address", ""};
    model.CameraTable[2] = {"", "4200"};
    model.CameraTable[0] = {"Zero", "4000"};
    model.ScenarioTable[16] = {"Away", "5#4#3"};
    model.ScenarioTable[1] = {"", "7"};
    model.ScenarioTable[2] = {"No address", ""};
    model.Mh200ScenarioTable[1] = {"Scene", "0099", "9999"};
}

void Escaping(ConfigModel& model) {
    PutDevice(model, 1, "Plug & socket", 0, "a&b", 1);
    model.GroupTable[1] = "Tom & Jerry <\"quoted\"> 'single'";
    model.GroupTable[2] = "Caff\u00e8 \u20ac";
    model.GroupTable[3] = "tab\there\nline\rcr";
    model.GroupTable[4] = "emoji \U0001F600";
    model.GroupTable[5] = "bad \xFF byte \xC0\xAF end \xED\xA0\x80 cut \xC3";
    model.GroupTable[6] = "\x01 ctl \x7F del";
    model.ScenarioTable[1] = {"x>y", "1<2"};
}

TEST(ConfWriter, WritesTheExpectedBytes) {
    const struct {
        const char* file;
        std::function<void(ConfigModel&)> fill;
    } cases[] = {
        {"worked_example.xml", WorkedExample},
        {"empty.xml", [](ConfigModel&) {}},
        {"edge_keys.xml", EdgeKeys},
        {"escaping.xml", Escaping},
    };
    for (const auto& c : cases) {
        auto model = test::EmptyModel();
        c.fill(*model);
        const std::string expected = ReadBytes(DataPath(std::string("writer/") + c.file));
        ASSERT_FALSE(expected.empty()) << c.file;
        EXPECT_EQ(WriteConfig(*model), expected) << c.file;
    }
}

TEST(ConfWriter, ARiserOtherThanPrivateIsAnyAddressWithAHash) {
    const std::pair<const char*, const char*> cases[] = {
        {"4001", "adr=\"4001\" type=\"1\""},
        {"4001#2", "adr=\"4001\" type=\"2\""},
        {"4001#", "adr=\"4001\" type=\"2\""},
        {"#2", "adr=\"\" type=\"2\""},
    };
    for (auto [stored, written] : cases) {
        auto model = test::EmptyModel();
        model->CameraTable[4] = {"Cam", stored};
        EXPECT_NE(WriteConfig(*model).find(std::string("<camera name=\"Cam\" number=\"4\" ") + written +
                                           "></camera>\r\n"),
                  std::string::npos)
            << stored;
    }
}

} // namespace
} // namespace velto
