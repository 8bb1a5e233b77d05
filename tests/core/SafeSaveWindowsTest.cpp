#include "CoreTestSupport.h"
#include "Process.h"
#include "SafeSave.h"
#include "Win32.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <windows.h>

// The save on Windows, in process: there is no fork to kill a save with, nor other users to save as.
namespace velto {
namespace {

namespace fs = std::filesystem;

struct Case {
    const char* name;
    std::function<void(const fs::path& folder)> prepare = {};
    std::string error = {}; // "" when saved
    test::Lines left = {};  // every entry of the folder afterwards
    test::Fault fault = {};
    std::string target = "conf.xml"; // from the folder, which is the current one
};

// "conf.xml 1 'old'" (links, bytes), with " hidden" and " read-only" when so; "sub folder".
test::Lines Listing(const fs::path& folder) {
    std::set<std::string> sorted;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = FileName(entry.path().filename());
        if (const auto tag = name.find(".velto-"); tag != std::string::npos)
            name = name.substr(0, name.find('-', tag + 7) + 1) + "*";
        const DWORD attributes = ::GetFileAttributesW(entry.path().c_str());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            sorted.insert(name + " folder");
            continue;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        const HANDLE file = ::CreateFileW(entry.path().c_str(), 0, 7, nullptr, OPEN_EXISTING, 0, nullptr);
        ::GetFileInformationByHandle(file, &info);
        ::CloseHandle(file);
        name += " " + std::to_string(info.nNumberOfLinks) +
                (attributes & FILE_ATTRIBUTE_HIDDEN ? " hidden" : "") +
                (attributes & FILE_ATTRIBUTE_READONLY ? " read-only" : "");
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL); // so that the folder goes
        sorted.insert(name + " '" + test::ReadBytes(entry.path()) + "'");
    }
    return {sorted.begin(), sorted.end()};
}

void Put(const fs::path& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    std::ofstream(path, std::ios::binary) << bytes;
    ::SetFileAttributesW(path.c_str(), attributes);
}

void Old(const fs::path& folder) {
    Put(folder / "conf.xml", "old");
}

void HardLinked(const fs::path& folder) {
    Old(folder);
    fs::create_hard_link(folder / "conf.xml", folder / "other.xml");
}

HANDLE held = INVALID_HANDLE_VALUE; // a file another program has open without sharing

TEST(SafeSave, TargetsOnWindows) {
    const auto says = [](DWORD error) { return Win32ErrorText(error); };
    const auto saysErrno = [](int error) { return std::generic_category().message(error); };
    const test::Lines oldFile{"conf.xml 1 'old'"};
    const test::Lines linkedOld{"conf.xml 2 'old'", "other.xml 2 'old'"};
    const std::string unicode = "\xce\xba\xce\xb1\xce\xbb\xce\xb7-\xe6\x97\xa5\xe6\x9c\xac.xml";
    // clang-format off
    const Case cases[] = {
        {"new file", [](auto&) {}, "", {"conf.xml 1 'new'"}},
        {"replaced", Old, "", {"conf.xml 1 'new'"}},
        {"by a path with slashes", [](auto& f) { fs::create_directory(f / "sub"), Put(f / "sub/conf.xml", "old"); },
         "", {"sub folder"}, {}, "sub/../sub/conf.xml"},
        {"hidden file stays hidden", [](auto& f) { Put(f / "conf.xml", "old", FILE_ATTRIBUTE_HIDDEN); }, "",
         {"conf.xml 1 hidden 'new'"}},
        {"Unicode name", [&](auto& f) { Put(f / FilePath(unicode), "old"); }, "", {unicode + " 1 'new'"}, {}, unicode},
        {"folder", [](auto& f) { fs::create_directory(f / "conf.xml"); }, saysErrno(EISDIR), {"conf.xml folder"}},
        {"missing folder", Old, says(ERROR_PATH_NOT_FOUND), oldFile, {}, "missing/conf.xml"},
        {"read-only file", [](auto& f) { Put(f / "conf.xml", "old", FILE_ATTRIBUTE_READONLY); },
         "The file is read-only", {"conf.xml 1 read-only 'old'"}},
        {"held open without sharing", [](auto& f) { Old(f), held = ::CreateFileW((f / "conf.xml").c_str(),
         GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); }, says(ERROR_SHARING_VIOLATION), oldFile},
        {"hard link", HardLinked, "", {"conf.xml 2 'new'", "other.xml 2 'new'"}},
        {"flush fails", Old, saysErrno(EIO), oldFile, {'s', 1, EIO}},
        {"disk full", Old, saysErrno(ENOSPC), oldFile, {'w', 1, ENOSPC}},
        {"hard link, flush fails", HardLinked, saysErrno(EIO), linkedOld, {'s', 2, EIO}},
        {"hard link, disk full", HardLinked, saysErrno(ENOSPC), linkedOld, {'w', 2, ENOSPC}},
        {"a killed save's leftovers", [](auto& f) { Old(f), Put(f / ".conf.xml.velto-save-7-0", "half", FILE_ATTRIBUTE_HIDDEN),
         Put(f / ".conf.xml.velto-backup-7-0", "old", FILE_ATTRIBUTE_HIDDEN); }, "",
         {".conf.xml.velto-backup-* 1 hidden 'old'", "conf.xml 1 'new'"}},
    };
    // clang-format on
    const fs::path start = fs::current_path();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder =
            fs::temp_directory_path() / ("velto-save-" + std::to_string(::GetCurrentProcessId()));
        fs::create_directory(folder);
        fs::current_path(folder);
        c.prepare(folder);
        SaveError error;
        EXPECT_EQ(WriteFileAtomically(c.target, "new", error, test::FaultyDevice(c.fault)), c.error.empty());
        EXPECT_EQ(error.reason, c.error);
        EXPECT_EQ(error.subject, c.error.empty() ? "" : c.target);
        ::CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
        if (c.target.starts_with("sub/")) {
            EXPECT_EQ(Listing(folder / "sub"), test::Lines{"conf.xml 1 'new'"});
        }
        EXPECT_EQ(Listing(folder), c.left);
        fs::current_path(start);
        fs::remove_all(folder);
    }
}

// A backup is found while no save holds it, named beside the path as given, and removed on request.
TEST(SafeSave, LeftoverBackupsOnWindows) {
    const fs::path folder =
        fs::temp_directory_path() / ("velto-backups-" + std::to_string(::GetCurrentProcessId()));
    fs::create_directory(folder);
    Put(folder / "conf.xml", "old");
    Put(folder / ".conf.xml.velto-backup-7-0", "old", FILE_ATTRIBUTE_HIDDEN);
    Put(folder / ".conf.xml.velto-backup-8-0", "old", FILE_ATTRIBUTE_HIDDEN);
    Put(folder / ".other.xml.velto-backup-7-0", "old", FILE_ATTRIBUTE_HIDDEN);
    // The one a running save writes is shared with nobody.
    const HANDLE running = ::CreateFileW((folder / ".conf.xml.velto-backup-8-0").c_str(), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
    const std::string file = FileName(folder / "conf.xml");
    const auto found = FindLeftoverBackups(file);
    ::CloseHandle(running);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, FileName(folder / ".conf.xml.velto-backup-7-0"));
    std::string error;
    EXPECT_TRUE(RemoveBackup(found[0].path, error));
    EXPECT_FALSE(fs::exists(folder / ".conf.xml.velto-backup-7-0"));
    EXPECT_EQ(FindLeftoverBackups(file).size(), 1u); // the 8-0 one, no longer held
    fs::remove_all(folder);
}

} // namespace
} // namespace velto
