#pragma once
// The load command: read a month's log, sort the plays and group them into totals, in one call
// that the window and the command line share.
#include <string>
#include <string_view>

#include "logdata/playback_log.h"

enum class LoadStatus {
    kLoaded,       // records sorted, totals built
    kCannotOpen,   // the log is empty
    kDateError,    // records in file order, no totals; offending names the play
    kOutOfMemory,  // the log is empty: the month did not fit in memory
    kReadError,    // the log is empty: reading failed before its end; reason says why
};

struct LoadResult {
    LoadStatus status;
    PlaybackRecord offending;  // the date error's play; zero-filled otherwise
    std::string reason;        // the read error's reason from the system
};

// Reads the log into records, applying log.filter, sorts them by name (unsigned bytes) and then
// by play moment, plays of equal name and moment in file order, and groups them into totals.
// The date error: a play that has to be ordered by time (its name has two or more plays) but
// whose date and time have no moment; the first such play in file order is reported, and the
// records stay in file order without totals. When memory runs out the log is left empty rather
// than with the plays that fitted, which would look like the whole month. Never throws.
[[nodiscard]] LoadResult LoadSortAndGroup(const char* path, PlaybackLog& log);
[[nodiscard]] LoadResult LoadSortAndGroupBytes(std::string_view bytes, PlaybackLog& log);
