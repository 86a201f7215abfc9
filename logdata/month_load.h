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
};

struct LoadResult {
    LoadStatus status;
    PlaybackRecord offending;  // the date error's play (see SortRecords); zero-filled otherwise
};

// Same outcome as LoadLogFile, SortRecords and BuildTotals in turn, with plays of equal name
// and moment kept in file order, except when memory runs out: then the log is left empty
// rather than with the plays that fitted, which would look like the whole month. Never throws.
LoadResult LoadSortAndGroup(const char* path, PlaybackLog& log);
LoadResult LoadSortAndGroupBytes(std::string_view bytes, PlaybackLog& log);

// The message for kOutOfMemory, in Windows-1250.
std::string OutOfMemoryMessage();
