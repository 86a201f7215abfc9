#include "campaign/calendar.h"

#include <algorithm>
#include <cstdio>

// Howard Hinnant's days-from-civil and its inverse.
int32_t DayNumber(CivilDate date) {
    const int64_t y = static_cast<int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t m = date.month;
    const int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<int32_t>(era * 146097 + dayOfEra - 719468);
}

CivilDate DateOfDay(int32_t dayNumber) {
    const int64_t z = static_cast<int64_t>(dayNumber) + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<uint32_t>(year), static_cast<uint32_t>(month), static_cast<uint32_t>(day)};
}

bool IsLeapYear(uint32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

uint32_t DaysInMonth(uint32_t year, uint32_t month) {
    static constexpr uint32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsRealDate(CivilDate date) {
    return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
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
    const int32_t last = DayNumber({year, month, DaysInMonth(year, month)});
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
