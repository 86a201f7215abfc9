#pragma once
// The months for which a log exists, and the one place that turns a month into its file path
// and its combo-box text.
#include <cstdint>
#include <string>

constexpr int32_t kMaxLogMonths = 1000;

struct LogMonth {
    uint32_t year;
    uint32_t month;
};

// Zero-initialised table in enumeration order: not sorted, duplicates kept. An entry whose
// numbers could not be read from the file name keeps 0 there.
struct LogMonthList {
    LogMonth entries[kMaxLogMonths];
    int32_t count;
};

// The process-wide month list shared by the window and the command line.
LogMonthList& LogMonths();

// Fills the process-wide list from log/AVI_*.txt below the working directory.
void FindLogMonths();
// Fills list from the files matching AVI_*.txt in folder (the platform's name matching).
void FindLogMonths(LogMonthList& list, const char* folder);

// "%04u-%02u": the text of one month in the month combo box and in `kvimeter-cli months`.
std::string MonthComboText(const LogMonth& month);

// "log\AVI_%04u-%02u.txt" ("/" instead of "\" outside Windows), relative to the working directory.
std::string LogFilePath(const LogMonth& month);
