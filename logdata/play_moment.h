#pragma once
// A play's moment: its local date and time as seconds since 1970-01-01 00:00:00 UTC.
#include <cstdint>

#include "base/win32_types.h"

struct PlayMoment {
    bool valid;       // false: the date or time has no moment (the sort's date error)
    int64_t seconds;  // 0 for a year below 1900
};

// The latest moment the calendar conversion accepts: 3000-12-31 23:59:59 UTC.
constexpr int64_t kLatestMoment = 32535215999;

// Year below 1900: moment 0. Otherwise month 1..12, day 1..31, hour 0..23, minute and second
// 0..59 and a moment from 1970 to the end of 3000 (UTC); anything else is invalid. Day 31 of a
// short month rolls over as the calendar conversion does. A local time that occurs twice or not
// at all around a daylight-saving change is read with the offset in force before the change,
// so the answer never depends on earlier conversions.
PlayMoment GetPlayMoment(uint16_t year, uint16_t month, uint16_t day, uint16_t hour,
                         uint16_t minute, uint16_t second);
PlayMoment GetPlayMoment(const SystemTime& time);

// Remembers each day's offset from UTC (and, on a day when the offset changes, the moments of
// its minutes): a month has few distinct days and consecutive plays mostly share one.
class MomentCache {
public:
    MomentCache();
    ~MomentCache();
    MomentCache(const MomentCache&) = delete;
    MomentCache& operator=(const MomentCache&) = delete;

    PlayMoment Get(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                   uint16_t second);

private:
    struct Table;
    Table* table_;
    uint32_t lastDayKey_ = ~uint32_t{0};
    const void* lastDay_ = nullptr;
};
