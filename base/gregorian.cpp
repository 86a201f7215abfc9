#include "base/gregorian.h"

bool GregorianLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

uint32_t GregorianMonthDays(int64_t year, uint32_t month) {
    static constexpr uint32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && GregorianLeapYear(year) ? 29 : kDays[month - 1];
}

// Howard Hinnant's days-from-civil, the count std::chrono::sys_days makes of a date.
int64_t GregorianDayNumber(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::chrono::year_month_day GregorianDateOf(int64_t dayNumber) {
    return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{dayNumber}}};
}
