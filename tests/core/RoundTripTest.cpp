#include "ConfWriter.h"
#include "CoreTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace velto {
namespace {

namespace fs = std::filesystem;

// The writer's examples come back byte for byte; whatever the reader takes from the fuzz corpus is
// written as XML a strict parser finds well-formed (its complaints go to the test's log).
TEST(RoundTrip, WrittenFilesReadBackTheSameAndAreWellFormed) {
    for (const char* example : {"worked_example.xml", "escaping.xml", "empty.xml"}) {
        const std::string bytes = test::ReadBytes(test::DataPath(std::string("writer/") + example));
        const test::Reading read = test::Load(bytes);
        EXPECT_EQ(read.notices, test::Lines{}) << example;
        EXPECT_EQ(WriteConfig(*read.model), bytes) << example;
    }
    const test::TempFolder written;
    const fs::path& folder = written.path;
    for (const auto& entry : fs::directory_iterator(VELTO_FUZZ_CORPUS_DIR))
        std::ofstream(folder / (entry.path().filename().string() + ".xml"), std::ios::binary)
            << WriteConfig(*test::Load(test::ReadBytes(entry.path())).model);
#ifndef _WIN32 // xmllint and the shell are Linux's; the bytes written are the same on Windows
    const std::string lint =
        "cd " + folder.string() + " && xmllint --noout *.xml 2> log; s=$?; head -c 2000 log; exit $s";
    EXPECT_EQ(std::system(lint.c_str()), 0);
#endif
}

// U+10000, the first character beyond sixteen bits, is read written as itself or as a reference, and
// written as a reference that reads back the same.
TEST(RoundTrip, TheFirstCharacterBeyondSixteenBits) {
    for (const std::string name : {"\xF0\x90\x80\x80", "&#65536;", "&#x10000;"}) {
        const test::Reading read =
            test::Load(test::Doc("<group name=\"a" + name + "\" group=\"1\"></group>\r\n"));
        EXPECT_EQ(read.model->GroupTable[1], "a\U00010000") << name;
        const std::string written = WriteConfig(*read.model);
        EXPECT_NE(written.find("<group name=\"a&#65536;\" group=\"1\">"), std::string::npos) << written;
        EXPECT_EQ(test::Load(written).model->GroupTable[1], "a\U00010000");
    }
}

} // namespace
} // namespace velto
