// Windows' own list of the user's recent documents.
#include "Process.h"
#include "RecentDocuments.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

namespace velto {
namespace {

// A file told to Windows gets its link among the user's recent documents. (The name keeps to ASCII: Wine
// lists only names its ANSI code page can spell.)
TEST(RecentDocuments, WindowsLinksEachFileToldToIt) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "villa-recent.xml";
    std::ofstream(file) << "<conf/>";
    wchar_t recent[MAX_PATH];
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent), S_OK);
    const std::filesystem::path link = std::filesystem::path(recent) / (file.filename().wstring() + L".lnk");
    std::filesystem::remove(link);
    AddToRecentDocuments(FileName(file));
    EXPECT_TRUE(std::filesystem::exists(link)) << FileName(link);
    std::filesystem::remove(link);
    std::filesystem::remove(file);
}

} // namespace
} // namespace velto
