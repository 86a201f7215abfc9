#pragma once
// What the window and kvimeter-cli tell the user about reports, in Windows-1250.
#include <string>

#include "base/cp1250.h"
#include "reports/report_result.h"

std::string SummarySavedMessage(const std::string& csvPath);
std::string DetailSavedMessage(const std::string& csvPath);
std::string AllDetailsSavedMessage();

// Names every failed file of the result with its reason, one per line.
std::string ReportFailureMessage(const ReportResult& result);

// The reason given for a report path longer than kMaxReportPathLength.
std::string PathTooLongReason();

// The reason given when a detail report is asked for a row the list does not have.
std::string NoSuchRowReason(int row);
