#include "ConfWriter.h"
#include "CoreTestSupport.h"
#include "NumberText.h"

#include <gtest/gtest.h>
#include <random>

namespace velto {
namespace {

// Characters a name may hold: plain ASCII, the ones XML gives a meaning to, white space and other
// control characters, and characters of one, two, three and four UTF-8 bytes.
constexpr char32_t kSpecial[] = {'&',    '<',    '>',     '"',      '\'', '\t', '\n', '\r',   ' ',
                                 0x01,   0x1F,   0x7F,    0x80,     0x85, 0xE9, 0xFF, 0x20AC, 0x4E2D,
                                 0xFFFD, 0xFFFF, 0x1F600, 0x10FFFF, '#',  ';',  '=',  '/'};

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

    std::string Text(int shortest) {
        std::string text;
        const int length = Between(shortest, 12);
        for (int i = 0; i < length; ++i) {
            switch (Between(0, 3)) {
            case 0:
                text += Utf8(kSpecial[Between(0, std::size(kSpecial) - 1)]);
                break;
            case 1: { // anywhere in Unicode but the surrogates and U+0000
                char32_t c = static_cast<char32_t>(Between(1, 0x10FFFF));
                if (c >= 0xD800 && c <= 0xDFFF)
                    c -= 0x800;
                text += Utf8(c);
                break;
            }
            default:
                text += static_cast<char>(Between(0x20, 0x7E));
            }
        }
        return text;
    }

    std::unique_ptr<ConfigModel> Configuration() {
        auto model = test::EmptyModel();
        const double fill = std::array{0.0, 0.2, 0.7, 1.0}[Between(0, 3)];
        for (int address = 1; address <= kMaxDeviceAddress; ++address) {
            if (!Chance(fill))
                continue;
            DeviceRecord& device = model->DeviceTable[address];
            device.inUse = static_cast<std::uint8_t>(Between(1, 255));
            device.name = Text(0);
            device.typeCode = Chance(0.8) ? kDeviceTypes[Between(0, 2)].code : Text(0);
            device.group = static_cast<std::uint8_t>(Chance(0.8) ? Between(0, 9) : Between(0, 255));
            device.pull = Chance(0.5);
            device.dimmer = static_cast<std::uint8_t>(Between(0, 255));
        }
        for (auto* table : {&model->GroupTable, &model->AuxTable})
            FillNames(*table, fill);
        FillNames(model->LoadTable, fill);
        FillNames(model->ProbeTable, fill);
        for (int number = 1; number <= kMaxCamera; ++number) {
            if (!Chance(fill))
                continue;
            const double address = Chance(0.9) ? Between(4000, 5000) : Between(8000, 10000) / 2.0;
            model->CameraTable[number] = {Text(1), ShortestDecimal(address) + (Chance(0.5) ? "#2" : "")};
        }
        for (int number = 1; number <= kMaxScenario; ++number) {
            if (Chance(fill))
                model->ScenarioTable[number] = {Text(0), Text(1)};
        }
        for (int number = 1; number <= kMaxMh200; ++number) {
            if (Chance(fill))
                model->Mh200ScenarioTable[number] = {Text(1), "1000", "2000"};
        }
        return model;
    }

private:
    template <std::size_t Slots> void FillNames(std::array<std::string, Slots>& table, double fill) {
        for (std::size_t key = 1; key < Slots; ++key)
            table[key] = Chance(fill) ? Text(1) : std::string();
    }

    std::mt19937 random_;
};

// What a reading of the written file gives back: positions renumbered in address order, the
// reader-only device fields and the MH200 scenarios gone.
std::unique_ptr<ConfigModel> AsReadBack(const ConfigModel& written) {
    auto expected = std::make_unique<ConfigModel>(written);
    RenumberDevices(*expected);
    for (DeviceRecord& device : expected->DeviceTable) {
        device.pull = false;
        device.dimmer = 0;
    }
    expected->Mh200ScenarioTable.fill({});
    return expected;
}

void ExpectSameTables(const ConfigModel& expected, const ConfigModel& actual) {
    for (int i = 0; i < kDeviceSlots; ++i) {
        const DeviceRecord& e = expected.DeviceTable[i];
        const DeviceRecord& a = actual.DeviceTable[i];
        EXPECT_TRUE(e.name == a.name && e.typeCode == a.typeCode && e.group == a.group &&
                    e.inUse == a.inUse && e.pull == a.pull && e.dimmer == a.dimmer)
            << "device " << i << ": '" << a.name << "' in use " << int(a.inUse) << ", expected '" << e.name
            << "' in use " << int(e.inUse);
    }
    EXPECT_EQ(expected.GroupTable, actual.GroupTable);
    EXPECT_EQ(expected.AuxTable, actual.AuxTable);
    EXPECT_EQ(expected.LoadTable, actual.LoadTable);
    EXPECT_EQ(expected.ProbeTable, actual.ProbeTable);
    for (int i = 0; i <= kMaxCamera; ++i) {
        EXPECT_EQ(expected.CameraTable[i].name, actual.CameraTable[i].name) << "camera " << i;
        EXPECT_EQ(expected.CameraTable[i].address, actual.CameraTable[i].address) << "camera " << i;
    }
    for (int i = 0; i <= kMaxScenario; ++i) {
        EXPECT_EQ(expected.ScenarioTable[i].name, actual.ScenarioTable[i].name) << "scenario " << i;
        EXPECT_EQ(expected.ScenarioTable[i].address, actual.ScenarioTable[i].address) << "scenario " << i;
    }
    for (int i = 0; i <= kMaxMh200; ++i)
        EXPECT_TRUE(actual.Mh200ScenarioTable[i].name.empty()) << "MH200 scenario " << i;
}

TEST(RoundTrip, WhatIsWrittenReadsBackTheSame) {
    Generator generate(20240611);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto written = generate.Configuration();
        const std::string bytes = WriteConfig(*written);
        for (unsigned char byte : bytes)
            ASSERT_LT(byte, 0x80);

        const test::LoadResult read = test::LoadBytes(bytes);
        EXPECT_TRUE(read.complete);
        EXPECT_EQ(read.Described(), std::vector<std::string>{});
        EXPECT_EQ(read.version, kCurrentFileVersion);
        ExpectSameTables(*AsReadBack(*written), *read.model);
        EXPECT_EQ(WriteConfig(*read.model), bytes);
        if (HasFailure())
            break;
    }
}

} // namespace
} // namespace velto
