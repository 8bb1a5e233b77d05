#include "FreeAddresses.h"

#include <gtest/gtest.h>
#include <memory>

namespace velto {
namespace {

// New proposes the lowest address its rule allows that no record holds, and none when all are held.
TEST(FreeAddresses, TheLowestAddressNoRecordHolds) {
    auto model = std::make_unique<ConfigModel>();
    EXPECT_EQ(FirstFreeDeviceAddress(*model), 1);
    EXPECT_EQ(FirstFreeCameraAddress(*model), 4000);
    EXPECT_EQ(FirstFreeScenarioAddress(*model), 1);

    for (int address = 1; address <= 11; ++address)
        model->DeviceTable[address].inUse = 1;
    model->DeviceTable[13].inUse = 1;
    model->DeviceTable[12].name = "Freed"; // a name left in a free slot does not hold it
    EXPECT_EQ(FirstFreeDeviceAddress(*model), 12);
    model->DeviceTable[12].inUse = 1;
    EXPECT_EQ(FirstFreeDeviceAddress(*model), 14); // past 13, which is held
    for (int address = 14; address <= 99; ++address)
        model->DeviceTable[address].inUse = 1;
    model->DeviceTable[20].inUse = model->DeviceTable[30].inUse = 0; // free, but the rule refuses them
    EXPECT_EQ(FirstFreeDeviceAddress(*model), std::nullopt);

    // Any camera holds its address, on either riser, written with a leading zero or not.
    model->CameraTable[12] = {"Gate", "4000#2"};
    model->CameraTable[1] = {"Door", "04001"};
    model->CameraTable[5] = {"", "4003"};
    EXPECT_EQ(FirstFreeCameraAddress(*model), 4002);
    // Any scenario holds its address, on any bus.
    model->ScenarioTable[16] = {"Night", "1#4#3"};
    model->ScenarioTable[2] = {"Day", "02"};
    EXPECT_EQ(FirstFreeScenarioAddress(*model), 3);
    for (int number = 1; number <= kMaxScenario; ++number)
        model->ScenarioTable[number].address = std::to_string(kMaxScenario + 1 - number);
    EXPECT_EQ(FirstFreeScenarioAddress(*model), kMaxScenario + 1);
}

} // namespace
} // namespace velto
