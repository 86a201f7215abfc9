#pragma once
// The load of the window and the command line as three steps, read, sort and group: what the
// one fused load must come to, for the tests, the fuzz targets and the benchmarks.
#include <string_view>

#include "logdata/playback_log.h"

// Resets the log, then reads the file at path (binary) into records in file order, applying
// log.filter. Returns 0 when the file was read, 1 when it could not be opened (the log is then
// empty).
int LoadLogFile(const char* path, PlaybackLog& log);

// The same reading from bytes already in memory.
void LoadLogBytes(std::string_view bytes, PlaybackLog& log);

// The date error: a play that has to be ordered by time (its name has at least two records)
// but whose date and time have no moment. The one reported is the first such record in array
// order, so the outcome never depends on how the sort proceeds.
struct SortResult {
    bool ok;
    PlaybackRecord offending;  // zero-filled when ok
};

// Sorts the records in place. On the date error nothing is moved.
SortResult SortRecords(PlaybackLog& log);

// Negative, 0 or positive: the names' byte order, then the sign of the 64-bit difference of the
// moments (an invalid date counts as moment 0 here; a load refuses such records first).
int CompareRecords(const PlaybackRecord& a, const PlaybackRecord& b);

// Fills the (empty) totals from the sorted records. Returns 0.
int BuildTotals(PlaybackLog& log);
