#pragma once
// The order of the records: by name (unsigned bytes, a prefix first), then by play moment.
#include <string>

#include "logdata/playback_log.h"

// Negative, 0 or positive: the names' byte order, then the sign of the 64-bit difference of the
// moments (an invalid date counts as moment 0 here; SortRecords refuses such records first).
int CompareRecords(const PlaybackRecord& a, const PlaybackRecord& b);

// The date error: a play that has to be ordered by time (its name has at least two records)
// but whose date and time have no moment. The one reported is the first such record in array
// order, so the outcome never depends on how the sort proceeds.
struct SortResult {
    bool ok;
    PlaybackRecord offending;  // zero-filled when ok
};

// Sorts the records in place. On the date error nothing is moved.
SortResult SortRecords(PlaybackLog& log);

// The message for the date error in Windows-1250, naming the animation, its date and time.
// Control characters of the name (a name may end in CR LF) are shown as \r, \n, \t or \xNN.
std::string DateErrorMessage(const PlaybackRecord& offending);
