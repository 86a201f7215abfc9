#pragma once
// The summary report and the detail reports, each a tab-separated text file and a
// semicolon-separated CSV file in the folder "report". Both files are Windows-1250 bytes with
// CR LF line ends. The text file shows the spot lengths with the caller's decimal separator, the
// CSV file always with ".".
#include <cstdint>

#include "logdata/playback_log.h"
#include "reports/report_paths.h"
#include "reports/report_result.h"

// The totals of the log. A text file that fails stops the pair; the CSV file is written after it.
[[nodiscard]] ReportResult WriteSummaryFiles(const PlaybackLog& log, ReportMonth month,
                                             char decimalSeparator);

// The plays of total `index` (0 <= index < totalCount), as a pair of detail files.
[[nodiscard]] ReportResult WriteDetailFiles(const PlaybackLog& log, int32_t index,
                                            ReportMonth month, char decimalSeparator);

// The detail pairs of all totals in order; a failed total does not stop the next one.
[[nodiscard]] ReportResult WriteAllDetailFiles(const PlaybackLog& log, ReportMonth month,
                                               char decimalSeparator);
