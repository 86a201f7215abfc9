#pragma once
// The order of the records: by name (unsigned bytes, a prefix first), then by play moment.
#include <string>

#include "logdata/playback_log.h"

// Negative, 0 or positive: the names' byte order, then the sign of the 64-bit difference of the
// moments (an invalid date counts as moment 0 here; a load refuses such records first).
int CompareRecords(const PlaybackRecord& a, const PlaybackRecord& b);

// The message for the date error in Windows-1250, naming the animation, its date and time.
// Control characters of the name (a name may end in CR LF) are shown as \r, \n, \t or \xNN.
std::string DateErrorMessage(const PlaybackRecord& offending);
