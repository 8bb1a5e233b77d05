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

} // namespace
} // namespace velto
