#pragma once
// Loading one month's log into the PlaybackLog with the filter stored in it.
#include <string_view>

#include "logdata/playback_log.h"

// Resets the log, then reads the file at path (binary) into records in file order, applying
// log.filter. Returns 0 when the file was read, 1 when it could not be opened (the log is then
// empty).
int LoadLogFile(const char* path, PlaybackLog& log);

// The same reading from bytes already in memory.
void LoadLogBytes(std::string_view bytes, PlaybackLog& log);
