#pragma once
// The month as one self-contained HTML page for a client: the summary table with its totals,
// bar charts of the plays per day and per hour, and one section per animation. UTF-8, inline
// CSS and SVG, no script and nothing fetched. It lies beside the summary pair in "report".
#include <cstdint>
#include <string>
#include <string_view>

#include "logdata/playback_log.h"
#include "reports/report_paths.h"
#include "reports/report_writers.h"

// How many plays fall on each day of the month and in each hour of the day.
struct PlayCounts {
    uint32_t perDay[32];   // index = day of the month (1..31); [0] stays 0
    uint32_t perHour[24];  // index = hour (0..23)
    uint32_t notInMonth;   // plays dated outside the month (the log does not check): no day bar
    uint32_t badHour;      // plays with an hour above 23: no hour bar
};

// 28 to 31; 31 for a month number outside 1..12.
int DaysInMonth(ReportMonth month);

// Adds `count` plays from `plays` on to counts (which the caller zero-fills first).
void CountPlays(const PlaybackRecord* plays, int32_t count, ReportMonth month, PlayCounts& counts);

// Writes the page of the log's totals to SummaryReportPath(month, ReportFileType::kHtml), dated
// madeAt (local time). A failure names the page and the system's reason.
[[nodiscard]] ReportResult WriteHtmlReport(const PlaybackLog& log, ReportMonth month,
                                           const SystemTime& madeAt);
