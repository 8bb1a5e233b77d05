#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace velto::test {

// A test that runs in a folder of its own, the current one while it runs and removed after it, so that
// its files are named by relative paths.
class FolderTest : public ::testing::Test {
protected:
    explicit FolderTest(const std::string& prefix)
        : folder_(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    ~FolderTest() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    static void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path previous_ = std::filesystem::current_path();
    std::filesystem::path folder_;
};

} // namespace velto::test
