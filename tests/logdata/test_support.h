#pragma once
// Helpers the log tests share: the local time zone, temporary files, reading the log back.
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "logdata/playback_log.h"

// Sets the process's local time zone (a POSIX TZ string or an Olson name where supported).
inline void SetTimeZone(const char* zone) {
#ifdef _WIN32
    _putenv_s("TZ", zone);
    _tzset();
#else
    setenv("TZ", zone, 1);
    tzset();
#endif
}

// Whether Olson zone names with real daylight-saving rules are available (glibc, not msvcrt).
inline bool HasZoneDatabase() {
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

// Writes bytes to a file (binary) and returns its path; removed by the caller.
std::string WriteTempFile(const std::string& name, const std::string& bytes);

std::vector<PlaybackRecord> Records(const PlaybackLog& log);
std::vector<AnimationTotal> Totals(const PlaybackLog& log);
std::string Name(const PlaybackRecord& record);

// The four cell texts of a row joined by TAB.
std::string RowText(PlaybackLog& log, int row);
