#pragma once
// Where a test keeps its files: below the temporary folder, which every build and clone on the
// machine shares, so named after the process and the running test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

inline std::filesystem::path TestScratchPath(const std::string& prefix) {
#ifdef _WIN32
    const long process = _getpid();
#else
    const long process = getpid();
#endif
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test =
        info == nullptr ? "setup" : std::string(info->test_suite_name()) + "." + info->name();
    return std::filesystem::temp_directory_path() /
           (prefix + "-" + std::to_string(process) + "-" + test);
}
