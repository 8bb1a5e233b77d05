#include "ConfWriter.h"
#include "CoreTestSupport.h"
#include "Process.h"
#include "SystemError.h"
#include "VersionedSave.h"

#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velto {
namespace {

namespace fs = std::filesystem;

// A configuration of that many loads, "Load 1", "Load 2"...
std::unique_ptr<ConfigModel> Loads(int count) {
    auto model = std::make_unique<ConfigModel>();
    for (int load = 1; load <= count; ++load)
        model->LoadTable[load] = "Load " + std::to_string(load);
    return model;
}

class VersionStoreTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(file.parent_path()); }

    // Saves a configuration of that many loads over the file; the reason a version was not kept.
    std::string saveLoads(int count) {
        const auto model = Loads(count);
        SaveError error;
        std::string versionError;
        EXPECT_TRUE(
            SaveKeepingVersion(store, file.string(), WriteConfig(*model), *model, error, versionError))
            << error.reason;
        return versionError;
    }
    std::vector<KeptVersion> kept() const {
        std::string error;
        std::vector<KeptVersion> versions = store.versions(file.string(), error);
        EXPECT_EQ(error, "");
        return versions;
    }

    const test::TempFolder temporary;
    const fs::path base = temporary.path, file = base / "site" / "conf.xml";
    VersionStore store{base / "data" / "versions"};
};

// Each save keeps the bytes it replaces, newest first, with what it changed, in a folder of the
// file's own that records its path; the first save of a new file has nothing to keep.
TEST_F(VersionStoreTest, KeepsWhatEachSaveReplaces) {
    for (const int loads : {1, 3, 2})
        EXPECT_EQ(saveLoads(loads), "");

    const std::vector<KeptVersion> versions = kept();
    ASSERT_EQ(versions.size(), 2u);
    const std::string oneLoad = WriteConfig(*Loads(1)), threeLoads = WriteConfig(*Loads(3));
    std::string bytes, error;
    ASSERT_TRUE(store.readBytes(file.string(), versions[0], bytes, error)) << error;
    EXPECT_EQ(bytes, threeLoads);
    EXPECT_EQ(versions[0].size, threeLoads.size());
    EXPECT_EQ(VersionSummary(versions[0], false), "1 load removed");
    EXPECT_EQ(VersionSummary(versions[0], true), "1 carico eliminato");
    ASSERT_TRUE(store.readBytes(file.string(), versions[1], bytes, error)) << error;
    EXPECT_EQ(bytes, oneLoad);
    EXPECT_EQ(VersionSummary(versions[1], false), "2 loads added");
    EXPECT_LE(versions[1].keptMs, versions[0].keptMs);

    const fs::path folder = store.folderOf(file.string());
    EXPECT_EQ(folder.parent_path(), store.root());
    EXPECT_EQ(test::ReadBytes(folder / "path"), FileName(fs::canonical(file)));

    std::ofstream(folder / (versions[0].id + ".xml"), std::ios::binary) << threeLoads.substr(1);
    EXPECT_FALSE(store.readBytes(file.string(), versions[0], bytes, error));
    EXPECT_EQ(error, kVersionDamaged);
}

// Bytes already kept are not kept again; beyond the number kept the oldest go; a save that fails
// takes back the version it kept and leaves the file as it was.
TEST_F(VersionStoreTest, KeepsEachBytesOnceAndOnlyTheNewest) {
    std::string error;
    ASSERT_TRUE(store.setKeptCount(2, error)) << error;
    EXPECT_EQ(VersionStore(store.root()).keptCount(), 2);
    for (const int loads : {1, 2, 1, 2, 1})
        saveLoads(loads);
    EXPECT_EQ(kept().size(), 2u) << "two different contents, each once";
    for (const int loads : {3, 4}) // replacing one load, kept already, then three
        saveLoads(loads);
    std::vector<KeptVersion> versions = kept();
    ASSERT_EQ(versions.size(), 2u);
    std::string bytes;
    ASSERT_TRUE(store.readBytes(file.string(), versions[1], bytes, error));
    EXPECT_EQ(bytes, WriteConfig(*Loads(2))) << "kept after the first of one load";
    ASSERT_TRUE(store.readBytes(file.string(), versions[0], bytes, error));
    EXPECT_EQ(bytes, WriteConfig(*Loads(3)));

    const auto model = Loads(5);
    SaveError failure;
    std::string versionError;
    EXPECT_FALSE(SaveKeepingVersion(store, file.string(), WriteConfig(*model), *model, failure, versionError,
                                    test::FaultyDevice({'w', 1, ENOSPC})));
    EXPECT_EQ(test::ReadBytes(file), WriteConfig(*Loads(4)));
    EXPECT_EQ(kept().size(), 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(store.folderOf(file.string())), fs::directory_iterator()),
              5)
        << "path and two files for each of two versions";
}

// A version is the newest even when the one before it seems newer: kept in the same millisecond, or
// before the clock went back.
TEST_F(VersionStoreTest, EachVersionIsNewerThanTheOneBefore) {
    saveLoads(1);
    saveLoads(2);
    const fs::path folder = store.folderOf(file.string());
    const std::string id = kept().at(0).id, future = "9" + id.substr(1);
    for (const char* ending : {".xml", ".txt"})
        fs::rename(folder / (id + ending), folder / (future + ending));
    saveLoads(3);
    const std::vector<KeptVersion> versions = kept();
    ASSERT_EQ(versions.size(), 2u);
    std::string bytes, error;
    ASSERT_TRUE(store.readBytes(file.string(), versions[0], bytes, error)) << error;
    EXPECT_EQ(bytes, WriteConfig(*Loads(2)));
}

// Two names of one file share its versions: on Windows, one spelled in other case; elsewhere, a link.
TEST_F(VersionStoreTest, TwoNamesOfOneFileShareTheirVersions) {
    saveLoads(1);
    saveLoads(2);
#ifdef _WIN32
    const fs::path otherName = base / "SITE" / ".." / "Site" / "Conf.XML";
#else
    const fs::path otherName = base / "site" / ".." / "link.xml";
    fs::create_symlink(file, base / "link.xml");
#endif
    EXPECT_EQ(store.folderOf(otherName.string()), store.folderOf(file.string()));
    std::string error;
    EXPECT_EQ(store.versions(otherName.string(), error).size(), 1u);
    EXPECT_EQ(test::ReadBytes(store.folderOf(otherName.string()) / "path"), FileName(fs::canonical(file)))
        << "the name the file is kept under";
}

// A version that cannot be written does not stop the save, which says why none was kept.
TEST_F(VersionStoreTest, SavesAllTheSameWhenNoVersionCanBeWritten) {
    saveLoads(1);
    saveLoads(2);
    const fs::path record = store.folderOf(file.string()) / "path";
    fs::remove(record);
    fs::create_directory(record); // the record of the file's path cannot be written over it
    EXPECT_EQ(saveLoads(3), SystemErrorText(EISDIR));
    EXPECT_EQ(test::ReadBytes(file), WriteConfig(*Loads(3)));
    EXPECT_EQ(kept().size(), 1u);
}

#ifndef _WIN32
constexpr uid_t kNobody = 65534;

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The folders are open to the user only and the files readable by the user only, whatever the umask.
TEST_F(VersionStoreTest, KeepsEverythingPrivate) {
    const mode_t umask = ::umask(0);
    for (const int loads : {1, 2})
        saveLoads(loads);
    ::umask(umask);
    const fs::path folder = store.folderOf(file.string());
    for (const fs::path& made : {base / "data", store.root(), folder})
        EXPECT_EQ(ModeOf(made), 0700u) << made;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        EXPECT_EQ(ModeOf(entry.path()), 0600u) << entry.path();
}

struct Refusal {
    const char* name;
    std::function<void(const fs::path& root, const fs::path& folder)> prepare;
    std::string error;
    bool needsSuperuser = false;
};

// A folder others could reach is not used, a link planted is not written through, and another user's
// folder is refused; the save goes ahead all the same and says why no version was kept.
TEST_F(VersionStoreTest, KeepsNothingWhereOthersCouldReach) {
    const bool superuser = ::geteuid() == 0;
    const fs::path precious = base / "precious.xml";
    // clang-format off
    const Refusal cases[] = {
        {"the root open to others", [](auto& r, auto&) { fs::create_directories(r), ::chmod(r.c_str(), 0777); }, std::string(kFolderOpenToOthers)},
        {"the file's folder a link", [&](auto& r, auto& f) { fs::create_directories(r), fs::create_directory(base / "elsewhere"), fs::create_directory_symlink(base / "elsewhere", f); }, std::string(kFolderIsLink)},
        {"the path planted as a link", [&](auto&, auto& f) { fs::create_directories(f), ::chmod(f.c_str(), 0700), fs::create_symlink(precious, f / "path"); }, SystemErrorText(ELOOP)},
        {"the root another user's", [](auto& r, auto&) { fs::create_directories(r), ::chown(r.c_str(), kNobody, kNobody); }, std::string(kFolderOfAnotherUser), true},
    };
    // clang-format on
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsSuperuser && !superuser)
            continue;
        fs::remove_all(base / "data");
        fs::remove(file);
        std::ofstream(precious) << "precious";
        saveLoads(1);
        c.prepare(store.root(), store.folderOf(file.string()));
        EXPECT_EQ(saveLoads(2), c.error);
        EXPECT_EQ(test::ReadBytes(file), WriteConfig(*Loads(2)));
        EXPECT_EQ(test::ReadBytes(precious), "precious");
        EXPECT_TRUE(!fs::exists(base / "elsewhere") || fs::is_empty(base / "elsewhere"));
        fs::remove_all(base / "elsewhere");
    }
    if (!superuser)
        GTEST_SKIP() << "another user's folder can be made by the superuser only";
}
#endif

} // namespace
} // namespace velto
