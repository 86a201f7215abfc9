#pragma once
// The report files as written step by step with the C library's formatting, to hold the report
// writers to: every file a command should leave in report/, by its path as the file system
// names it (UTF-8: names that differ only in bytes Windows-1250 lacks share a file).
#include <map>
#include <string>

#include "logdata/playback_log.h"
#include "reports/report_paths.h"

using ReferenceFiles = std::map<std::string, std::string>;

// The summary pair of the log's totals.
void ReferenceSummaryFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator,
                           ReferenceFiles& files);

// The detail pairs of all totals in order (a later name with the same file replaces the
// earlier); a name whose path is too long, whose file name is too long for Linux, or that
// Windows cannot hold as a file name has none.
// Returns how many totals have none.
int ReferenceAllDetailFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator,
                            ReferenceFiles& files);
