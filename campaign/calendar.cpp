#include "campaign/calendar.h"

#include <algorithm>
#include <cstdio>

#include "base/gregorian.h"

int32_t DayNumber(CivilDate date) {
    return static_cast<int32_t>(GregorianDayNumber(date.year, date.month, date.day));
}

CivilDate DateOfDay(int32_t dayNumber) {
    const std::chrono::year_month_day date = GregorianDateOf(dayNumber);
    return {static_cast<uint32_t>(static_cast<int>(date.year())),
            static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day())};
}

bool IsRealDate(CivilDate date) {
    return date.day >= 1 && date.day <= GregorianMonthDays(date.year, date.month);
}

int32_t WeekdayOf(int32_t dayNumber) {
    constexpr int32_t kThursday = 3;  // 1970-01-01
    return (dayNumber % 7 + 7 + kThursday) % 7;
}

std::string IsoDateText(int32_t dayNumber) {
    const CivilDate date = DateOfDay(dayNumber);
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", date.year, date.month, date.day);
    return text;
}

std::string CzechDateText(int32_t dayNumber) {
    const CivilDate date = DateOfDay(dayNumber);
    char text[40];
    std::snprintf(text, sizeof text, "%u.%u.%u", date.day, date.month, date.year);
    return text;
}

std::string SpacedDateText(int32_t dayNumber) {
    const CivilDate date = DateOfDay(dayNumber);
    return SpacedDayMonthText(dayNumber) + " " + std::to_string(date.year);
}

std::string SpacedDayMonthText(int32_t dayNumber) {
    const CivilDate date = DateOfDay(dayNumber);
    return std::to_string(date.day) + ". " + std::to_string(date.month) + ".";
}

namespace {

// 0 = Sunday.
int32_t Weekday(int32_t dayNumber) {
    return ((dayNumber % 7) + 7 + 4) % 7;
}

int32_t LastSunday(uint32_t year, uint32_t month) {
    const int32_t last = DayNumber({year, month, GregorianMonthDays(year, month)});
    return last - Weekday(last);
}

}  // namespace

ClockChange ClockChangeOn(int32_t dayNumber) {
    const CivilDate date = DateOfDay(dayNumber);
    if (date.year < 1996) {
        return ClockChange::kNone;
    }
    if (date.month == 3 && dayNumber == LastSunday(date.year, 3)) {
        return ClockChange::kHourSkipped;
    }
    if (date.month == 10 && dayNumber == LastSunday(date.year, 10)) {
        return ClockChange::kHourRepeated;
    }
    return ClockChange::kNone;
}

bool SummerTimeAtMidnight(int32_t dayNumber) {
    const uint32_t year = DateOfDay(dayNumber).year;
    return year >= 1996 && dayNumber > LastSunday(year, 3) && dayNumber <= LastSunday(year, 10);
}

bool ClockChangesWithin(int32_t first, int32_t last) {
    // A year holds both changes; a shorter span is looked at day by day.
    if (last - first >= 366) {
        return true;
    }
    for (int32_t day = first; day <= last; ++day) {
        if (ClockChangeOn(day) != ClockChange::kNone) {
            return true;
        }
    }
    return false;
}

int32_t UtcOffsetAt(int64_t utcSecond) {
    const auto day = static_cast<int32_t>(
        (utcSecond >= 0 ? utcSecond : utcSecond - (kSecondsPerDay - 1)) / kSecondsPerDay);
    const uint32_t year = DateOfDay(day).year;
    if (year < 1996) {
        return 3600;
    }
    const int64_t summerFrom = int64_t{LastSunday(year, 3)} * kSecondsPerDay + 3600;
    const int64_t summerTo = int64_t{LastSunday(year, 10)} * kSecondsPerDay + 3600;
    return utcSecond >= summerFrom && utcSecond < summerTo ? 7200 : 3600;
}

int32_t RealSecondOfDay(ClockChange change, int32_t local, bool secondPass) {
    const bool afterHour = local >= kChangedHourEnd;
    const bool inHour = local >= kChangedHourStart && !afterHour;
    switch (change) {
        case ClockChange::kHourSkipped:
            return afterHour ? local - 3600 : inHour ? kChangedHourStart : local;
        case ClockChange::kHourRepeated:
            return afterHour || (inHour && secondPass) ? local + 3600 : local;
        case ClockChange::kNone:
            break;
    }
    return local;
}

int32_t LocalSecondOfDay(ClockChange change, int32_t real) {
    switch (change) {
        case ClockChange::kHourSkipped:
            return real >= kChangedHourStart ? real + 3600 : real;
        case ClockChange::kHourRepeated:
            return real >= kChangedHourEnd ? real - 3600 : real;
        case ClockChange::kNone:
            break;
    }
    return real;
}
