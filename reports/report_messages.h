#pragma once
// What the window and kvimeter-cli tell the user about reports, in Windows-1250.
#include <cstddef>
#include <string>

#include "base/cp1250.h"
#include "reports/report_result.h"

std::string SummarySavedMessage(const std::string& csvPath);
std::string DetailSavedMessage(const std::string& csvPath);
std::string AllDetailsSavedMessage();

// Names every failed file of the result with its reason, one per line.
std::string ReportFailureMessage(const ReportResult& result);

// The window's box names at most this many files, so that it fits a small screen.
inline constexpr size_t kMaxFailuresInBox = 15;

// The window's box: the first failures (at most kMaxFailuresInBox, fewer when their reasons
// differ), each file under its reason, long paths cut to their end; then, when some are
// left out, how many and where the whole list is (listPath), or why it could not be written
// there (listReason, when not empty). The window writes the list only when the box needs it.
std::string ReportFailureBoxMessage(const ReportResult& result, const std::string& listPath,
                                    const std::string& listReason);
// How many failures, from the first, that box names.
size_t FailuresNamedInBox(const ReportResult& result);

// What stands above the failures, in the box and in the file of the whole list.
std::string FailureListHeading();
// One failure: "path: reason", or the reason alone when there is no path.
std::string FailureLine(const ReportFailure& failure);

// The reason given for a report path longer than kMaxReportPathLength.
std::string PathTooLongReason();

// The reason given when a detail report is asked for a row the list does not have.
std::string NoSuchRowReason(int row);
