#pragma once
// Where the report files go: the folder "report" below the working directory, one pair of files
// (text and CSV) per summary and per animation and month.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/paths.h"
#include "logdata/log_months.h"

// The month a report is named after; the caller passes the month selected at that moment.
using ReportMonth = LogMonth;

constexpr char kReportPathSeparator = kPathSeparator;

// The longest report path, as formed relative to the working directory.
constexpr size_t kMaxReportPathLength = 259;

enum class ReportFileType { kText, kCsv, kHtml, kSha256 };

// "report\SUM_AVI_%04u-%02u.txt", ".csv" or ".html" ("/" outside Windows).
std::string SummaryReportPath(ReportMonth month, ReportFileType type);

// The animation name as a file-name part: at most 255 characters, every ":", "\" and "/" made
// "_", so that no name can leave the report folder.
std::string DetailFileNamePart(const char* name);

// Why the file-name part cannot be a file name on Windows (a control character, such as the
// CR LF a name may end in, or one of " * < > ? |), or empty when it can. Such names are refused
// on every platform, so that a report is written, or not, alike everywhere.
std::string RefusedFileNamePartReason(const std::string& part);

// "report\%s_%04u-%02u.txt" or ".csv" with the file-name part of the animation name. The result
// may be longer than kMaxReportPathLength; such a path is refused by the writers.
std::string DetailReportPath(const char* name, ReportMonth month, ReportFileType type);

// "report\KAMPAN_<name>.csv", ".html" or ".sha256", name being the booking file's name without its
// extension.
std::string CampaignReportPath(const std::string& bookingName, ReportFileType type);
