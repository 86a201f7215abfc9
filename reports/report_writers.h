#pragma once
// The summary report and the detail reports, each a tab-separated text file and a
// semicolon-separated CSV file in the folder "report". Both files are Windows-1250 bytes with
// CR LF line ends. The text file shows the spot lengths with the caller's decimal separator, the
// CSV file always with ".".
#include <cstdint>
#include <string>
#include <vector>

#include "logdata/playback_log.h"
#include "reports/report_paths.h"

// A report file that could not be written, and the system's reason (Windows-1250).
struct ReportFailure {
    std::string path;
    std::string reason;
};

struct ReportResult {
    std::vector<ReportFailure> failures;  // every file that failed, in the order of writing
    std::string csvPath;                  // set when one pair was written completely
};

inline bool Succeeded(const ReportResult& result) {
    return result.failures.empty();
}

// The totals of the log. A text file that fails stops the pair; the CSV file is written after it.
ReportResult WriteSummaryFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator);

// The plays of total `index` (0 <= index < totalCount), as a pair of detail files.
ReportResult WriteDetailFiles(const PlaybackLog& log, int32_t index, ReportMonth month,
                              char decimalSeparator);

// The detail pairs of all totals in order; a failed total does not stop the next one.
ReportResult WriteAllDetailFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator);
