#pragma once
// Days as numbers, and the panel's local clock: the time the player writes, which skips an hour
// in spring and repeats one in autumn.
#include <cstdint>
#include <string>

struct CivilDate {
    uint32_t year, month, day;
};

// Days since 1970-01-01 (negative before it), for any date of the Gregorian calendar.
int32_t DayNumber(CivilDate date);
CivilDate DateOfDay(int32_t dayNumber);

bool IsRealDate(CivilDate date);

// 0 for Monday to 6 for Sunday.
int32_t WeekdayOf(int32_t dayNumber);

// "yyyy-mm-dd" and "d.m.yyyy".
std::string IsoDateText(int32_t dayNumber);
std::string CzechDateText(int32_t dayNumber);
// "d. m. yyyy" and "d. m.", as Czech prose writes a date.
std::string SpacedDateText(int32_t dayNumber);
std::string SpacedDayMonthText(int32_t dayNumber);

constexpr int32_t kSecondsPerDay = 86400;

// The summer-time rule of the European Union, in force for Czech panels since 1996: the clock
// goes from 2:00 to 3:00 on the last Sunday of March and from 3:00 back to 2:00 on the last
// Sunday of October. The player writes local time, so on those days the hour 2:00-3:00 is missing
// or comes twice.
enum class ClockChange { kNone, kHourSkipped, kHourRepeated };
ClockChange ClockChangeOn(int32_t dayNumber);
constexpr int32_t kChangedHourStart = 2 * 3600;
constexpr int32_t kChangedHourEnd = 3 * 3600;

// Whether the clock is on summer time when the day begins: after the day the hour is skipped, up
// to the day it repeats.
bool SummerTimeAtMidnight(int32_t dayNumber);
// Whether the clock changes on a day of [first, last].
bool ClockChangesWithin(int32_t first, int32_t last);

// The offset of Czech local time from UTC at a moment (seconds since 1970-01-01 UTC): 3600, or
// 7200 in summer time, which runs from 1:00 UTC on March's last Sunday to 1:00 UTC on October's.
int32_t UtcOffsetAt(int64_t utcSecond);

// A day's own timeline in seconds from midnight: 23, 24 or 25 hours long. A local time in the
// repeated hour is in its first pass unless secondPass; one in the skipped hour counts as 3:00.
int32_t RealSecondOfDay(ClockChange change, int32_t local, bool secondPass);
// The local time of a moment of the day's own timeline.
int32_t LocalSecondOfDay(ClockChange change, int32_t real);
