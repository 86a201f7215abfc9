#pragma once
// What a load that did not read the month whole tells the user, in Windows-1250: one text for
// the window and the command line, each of which shows it its own way.
#include <string>

#include "logdata/month_load.h"
#include "logdata/playback_log.h"

// The message for the date error in Windows-1250, naming the animation, its date and time.
// Control characters of the name (a name may end in CR LF) are shown as \r, \n, \t or \xNN.
std::string DateErrorMessage(const PlaybackRecord& offending);

// The message for a load's outcome: the date error naming the play, the month that did not fit
// in memory, the log at path that could not be opened or read (with the system's reason); empty
// for a month loaded.
std::string LoadOutcomeMessage(const LoadResult& result, const std::string& path);
