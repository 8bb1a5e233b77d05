#include "ConfWriter.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace velto {
namespace {

// Models the reader cannot give; devices are {name, pull, group, typeCode, dimmer, inUse}: highest keys,
// records the file never carries, half-filled slots, and camera addresses with a "#" on the other riser.
void EdgeKeys(ConfigModel& model) {
    model.DeviceTable[7] = {"Fan", false, 0, "1d", 0, 1};
    model.DeviceTable[99] = {"Blind", true, 9, "2", 200, 2};
    model.DeviceTable[0] = {"Slot zero", false, 1, "1", 0, 3};
    model.DeviceTable[150] = {"Far away", false, 1, "1", 0, 4};
    model.DeviceTable[10] = {"Not in use", false, 1, "1", 0, 0};
    model.GroupTable[9] = "Top";
    model.GroupTable[0] = "Zero";
    model.LoadTable[16] = "Heater";
    model.LoadTable[0] = "Zero";
    model.AuxTable[9] = "Bell";
    model.ProbeTable[99] = "Attic";
    model.ProbeTable[0] = "Zero";
    model.CameraTable[12] = {"Gate", "4500#2"};
    model.CameraTable[3] = {"Yard", "4100"};
    model.CameraTable[4] = {"Hash only", "4001#"};
    model.CameraTable[5] = {"No number", "#2"};
    model.CameraTable[1] = {"No address", ""};
    model.CameraTable[2] = {"", "4200"};
    model.CameraTable[0] = {"Zero", "4000"};
    model.ScenarioTable[16] = {"Away", "5#4#3"};
    model.ScenarioTable[1] = {"", "7"};
    model.ScenarioTable[2] = {"No address", ""};
    model.Mh200ScenarioTable[1] = {"Scene", "0099", "9999"};
}

// Text that is not well-formed UTF-8, and characters XML does not allow.
void Escaping(ConfigModel& model) {
    model.DeviceTable[1] = {"Plug & socket", false, 0, "a&b", 0, 1};
    model.GroupTable[1] = "Tom & Jerry <\"quoted\"> 'single'";
    model.GroupTable[2] = "Caff\u00e8 \u20ac";
    model.GroupTable[3] = "tab\there\nline\rcr";
    model.GroupTable[4] = "emoji \U0001F600 first beyond 16 bits \U00010000";
    model.GroupTable[5] = "bad \xFF byte \xC0\xAF end \xED\xA0\x80 cut \xC3";
    model.GroupTable[6] = "\x01 ctl \x7F del";
    model.ScenarioTable[1] = {"x>y", "1<2"};
}

TEST(ConfWriter, WritesTheExpectedBytes) {
    for (const auto& [file, fill] : {std::pair{"edge_keys.xml", &EdgeKeys}, {"escaping.xml", &Escaping}}) {
        ConfigModel model;
        fill(model);
        const std::string expected = test::ReadBytes(test::DataPath(std::string("writer/") + file));
        ASSERT_FALSE(expected.empty()) << file;
        EXPECT_EQ(WriteConfig(model), expected) << file;
    }
}

// Positions count the devices from 1 in address order, and leave the slots beyond 99 as they are.
TEST(ConfigModel, RenumberDevices) {
    ConfigModel model;
    for (const auto& [address, position] : {std::pair{9, 1}, {3, 7}, {150, 9}, {0, 4}})
        model.DeviceTable[address].inUse = static_cast<std::uint8_t>(position);
    RenumberDevices(model);
    const std::array<int, 4> positions{model.DeviceTable[0].inUse, model.DeviceTable[3].inUse,
                                       model.DeviceTable[9].inUse, model.DeviceTable[150].inUse};
    EXPECT_EQ(positions, (std::array{4, 1, 2, 9}));
}

} // namespace
} // namespace velto
