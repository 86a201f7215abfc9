#pragma once
// Shared helpers of the report tests: a scratch working directory, a log built in memory and
// the bytes of a file.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "logdata/playback_log.h"

// Runs each test in a fresh, empty working directory holding the folder "report".
class InScratchFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path previous_;
    std::filesystem::path scratch_;
};

struct Play {
    const char* name;
    uint16_t day, month, year, hour, minute, second;
    double length;
};

// Appends plays in the given (already sorted) order; call BuildTotals afterwards.
void AddPlay(PlaybackLog& log, const Play& play);
void AddPlays(PlaybackLog& log, const char* name, int count, double length);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// Windows-1250 bytes of a text written readably in the test.
std::string Cp1250(std::u16string_view text);

// "report\<file>" on Windows, "report/<file>" elsewhere.
std::string InReport(const std::string& file);
