#include "ConfWriter.h"
#include "CoreTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace velto {
namespace {

namespace fs = std::filesystem;

// What a strict XML parser says of the files; "" when each is well-formed.
std::string StrictParserComplaints(const std::vector<std::string>& files) {
    const fs::path folder = fs::temp_directory_path() / ("velto-written-" + std::to_string(::getpid()));
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

// The writer's examples read back whole and are written again byte for byte (but the edge keys, which
// hold a camera whose address is a riser mark alone); whatever the reader takes from the fuzz corpus is
// written as well-formed XML.
TEST(RoundTrip, WrittenFilesReadBackTheSameAndAreWellFormed) {
    std::vector<std::string> written;
    for (const char* example : {"worked_example.xml", "escaping.xml", "empty.xml"}) {
        const std::string bytes = test::ReadBytes(test::DataPath(std::string("writer/") + example));
        const test::LoadResult read = test::LoadBytes(bytes);
        EXPECT_EQ(read.Described(), test::Lines{}) << example;
        EXPECT_EQ(read.version, kCurrentFileVersion);
        EXPECT_EQ(WriteConfig(*read.model), bytes) << example;
    }
    for (const auto& entry : fs::directory_iterator(VELTO_FUZZ_CORPUS_DIR))
        written.push_back(WriteConfig(*test::LoadBytes(test::ReadBytes(entry.path())).model));
    EXPECT_EQ(StrictParserComplaints(written), "");
}

} // namespace
} // namespace velto
