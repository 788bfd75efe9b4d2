#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// A fresh folder per test, removed afterwards even when a test left it
// write-protected.
class TempFolderTest : public ::testing::Test {
protected:
    explicit TempFolderTest(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / (prefix_ + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }

    std::filesystem::path dir_;

private:
    std::string prefix_;
};
