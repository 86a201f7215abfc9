#pragma once
// What writing a report came to: every file that failed with the system's reason, and the path
// of the CSV file the user is told about.
#include <string>
#include <vector>

// A report file that could not be written, and the system's reason (Windows-1250).
struct ReportFailure {
    std::string path;
    std::string reason;
};

struct ReportResult {
    std::vector<ReportFailure> failures;  // every file that failed, in the order of writing
    std::string csvPath;                  // set when one pair was written completely
    std::string note;                     // said after the failures, when not empty
};

inline bool Succeeded(const ReportResult& result) {
    return result.failures.empty();
}
