#pragma once

#include "CoreTestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace velto::test {

// A test that runs in a folder of its own, the current one while it runs and removed after it, so that
// its files are named by relative paths.
class FolderTest : public ::testing::Test {
protected:
    FolderTest() { std::filesystem::current_path(folder_.path); }
    ~FolderTest() override { std::filesystem::current_path(previous_); }

    static void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path previous_ = std::filesystem::current_path();
    const TempFolder folder_;
};

} // namespace velto::test
