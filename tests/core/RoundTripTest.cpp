#include "ConfWriter.h"
#include "CoreTestSupport.h"
#include "NumberText.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace velto {
namespace {

namespace fs = std::filesystem;

// Characters a name may hold and a file can carry: plain ASCII, the ones XML gives a meaning to,
// white space, DEL and C1 controls, and characters of one, two, three and four UTF-8 bytes. (The
// characters XML 1.0 does not allow come back as U+FFFD: the writer's examples show them.)
constexpr char32_t kSpecial[] = {'&',    '<',     '>',      '"',  '\'', '\t', '\n',   '\r',
                                 ' ',    0x7F,    0x80,     0x85, 0xE9, 0xFF, 0x20AC, 0x4E2D,
                                 0xFFFD, 0x1F600, 0x10FFFF, '#',  ';',  '=',  '/'};

std::string Utf8(char32_t c) {
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    std::string s(length, '\0');
    for (int i = length - 1; i > 0; --i, c >>= 6)
        s[i] = static_cast<char>(0x80 | (c & 0x3F));
    s[0] = static_cast<char>((0xF00 >> length) | c); // 110xxxxx, 1110xxxx or 11110xxx
    return s;
}

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

    // Special characters, anything XML 1.0 allows above U+001F, printable ASCII.
    std::string Text(int shortest) {
        std::string text;
        for (int i = Between(shortest, 12); i > 0; --i) {
            const int kind = Between(0, 3);
            if (kind == 0) {
                text += Utf8(kSpecial[Between(0, std::size(kSpecial) - 1)]);
            } else if (kind == 1) {
                const auto c = static_cast<char32_t>(Between(0x20, 0x10FFFF));
                text += Utf8((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF ? c - 0x800 : c);
            } else {
                text += static_cast<char>(Between(0x20, 0x7E));
            }
        }
        return text;
    }

    std::unique_ptr<ConfigModel> Configuration() {
        auto model = std::make_unique<ConfigModel>();
        const double fill = std::array{0.0, 0.2, 0.7, 1.0}[Between(0, 3)];
        auto some = [&](int lastKey, auto put) {
            for (int key = 1; key <= lastKey; ++key)
                if (Chance(fill))
                    put(key);
        };
        some(kMaxDeviceAddress, [&](int address) {
            DeviceRecord& device = model->DeviceTable[address];
            device.inUse = static_cast<std::uint8_t>(Between(1, 255));
            device.name = Text(0);
            device.typeCode = Chance(0.8) ? kDeviceTypes[Between(0, 2)].code : Text(0);
            device.group = static_cast<std::uint8_t>(Chance(0.8) ? Between(0, 9) : Between(0, 255));
            device.pull = Chance(0.5);
            device.dimmer = static_cast<std::uint8_t>(Between(0, 255));
        });
        some(kMaxGroup, [&](int key) { model->GroupTable[key] = Text(1); });
        some(kMaxAux, [&](int key) { model->AuxTable[key] = Text(1); });
        some(kMaxLoad, [&](int key) { model->LoadTable[key] = Text(1); });
        some(kMaxProbe, [&](int key) { model->ProbeTable[key] = Text(1); });
        some(kMaxCamera, [&](int number) {
            const double address = Chance(0.9) ? Between(4000, 5000) : Between(8000, 10000) / 2.0;
            model->CameraTable[number] = {Text(1), ShortestDecimal(address) + (Chance(0.5) ? "#2" : "")};
        });
        some(kMaxScenario, [&](int number) { model->ScenarioTable[number] = {Text(0), Text(1)}; });
        some(kMaxMh200, [&](int number) { model->Mh200ScenarioTable[number] = {Text(1), "1000", "2000"}; });
        return model;
    }

private:
    std::mt19937 random_;
};

// What a reading of the written file gives back: positions renumbered in address order, the
// reader-only device fields and the MH200 scenarios gone.
ConfigModel AsReadBack(ConfigModel model) {
    RenumberDevices(model);
    for (DeviceRecord& device : model.DeviceTable) {
        device.pull = false;
        device.dimmer = 0;
    }
    model.Mh200ScenarioTable.fill({});
    return model;
}

// What a strict XML parser says of the files; "" when each is well-formed.
std::string StrictParserComplaints(const std::vector<std::string>& files) {
    const fs::path folder = fs::temp_directory_path() / "velto-written";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (std::size_t i = 0; i < files.size(); ++i)
        std::ofstream(folder / (std::to_string(i) + ".xml"), std::ios::binary) << files[i];
    FILE* run = ::popen(("xmllint --noout " + folder.string() + "/*.xml 2>&1").c_str(), "r");
    std::string complaints;
    for (int c; run != nullptr && (c = std::fgetc(run)) != EOF;)
        complaints += static_cast<char>(c);
    const int status = run != nullptr ? ::pclose(run) : -1;
    fs::remove_all(folder);
    return status == 0
               ? complaints
               : complaints.substr(0, 2000) + "... xmllint ended with status " + std::to_string(status);
}

TEST(RoundTrip, WhatIsWrittenIsWellFormedAndReadsBackTheSame) {
    std::vector<std::string> written;
    Generator generate(20240611);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto model = generate.Configuration();
        const std::string& bytes = written.emplace_back(WriteConfig(*model));
        ASSERT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](unsigned char byte) { return byte < 0x80; }));

        const test::LoadResult read = test::LoadBytes(bytes);
        EXPECT_TRUE(read.complete);
        EXPECT_EQ(read.Described(), test::Lines{});
        EXPECT_EQ(read.version, kCurrentFileVersion);
        EXPECT_EQ(test::Dump(*read.model), test::Dump(AsReadBack(*model)));
        EXPECT_EQ(WriteConfig(*read.model), bytes);
        if (HasFailure())
            break;
    }
    // Whatever the reader takes from the fuzz corpus, and the writer's own examples.
    for (const fs::path folder : {VELTO_FUZZ_CORPUS_DIR, VELTO_TEST_DATA_DIR "/writer"})
        for (const auto& entry : fs::directory_iterator(folder))
            written.push_back(WriteConfig(*test::LoadBytes(test::ReadBytes(entry.path())).model));
    EXPECT_EQ(StrictParserComplaints(written), "");
}

} // namespace
} // namespace velto
