#pragma once
// A test that runs the real command table in a folder of its own, below the working folder, with
// the output and errors captured.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/commands.h"
#include "cli/program_arguments.h"
#include "tests/logdata/test_support.h"

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class CliInScratchFolder : public ::testing::Test {
protected:
    explicit CliInScratchFolder(const char* folder) : folder_(folder) {}

    void SetUp() override {
        SetTimeZone("UTC");
        home_ = std::filesystem::current_path();
        dir_ = home_ / folder_ / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "log");
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
    }

    void WriteLog(const std::string& month, const std::string& bytes) {
        std::ofstream(dir_ / "log" / ("AVI_" + month + ".txt"), std::ios::binary) << bytes;
    }

    // In the test's folder (-C), unless told otherwise.
    CliRun Cli(Arguments args, bool inDir = true) {
        if (inDir) {
            args.insert(args.begin(), {"-C", FolderArgument()});
        }
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int status = static_cast<int>(RunCommandLine(args));
        std::fflush(stdout);
        CliRun run{status, ::testing::internal::GetCapturedStdout(),
                   ::testing::internal::GetCapturedStderr()};
        std::filesystem::current_path(home_);
        return run;
    }

    // The command table takes Windows-1250, as main hands it over: the folder as the user
    // would type it, wherever the build lives.
    std::string FolderArgument() const {
        const std::u8string utf8 = dir_.u8string();
        std::string cp1250;
        EXPECT_TRUE(
            Utf8ArgumentToCp1250({reinterpret_cast<const char*>(utf8.data()), utf8.size()}, cp1250))
            << "the build's folder has a character that Windows-1250 lacks";
        return cp1250;
    }

    std::filesystem::path home_;
    std::filesystem::path dir_;

private:
    const char* folder_;
};
