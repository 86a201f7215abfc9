#pragma once
// The whole list of the report files that failed, written to a file of its own for the window,
// whose box names only the first of them.
#include <string>

#include "reports/report_result.h"

// "report\neulozene_soubory.txt" ("/" outside Windows): no report of a month has this name.
std::string FailureListPath();

// Every failure of the result on a line of its own, "path: reason", Windows-1250 with CR LF,
// after a line that says what the list is. On failure returns false and stores the reason.
[[nodiscard]] bool WriteFailureList(const ReportResult& result, const std::string& path,
                                    std::string* reason);
