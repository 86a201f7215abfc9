#pragma once
// The Gregorian calendar's day arithmetic: dates as days since 1970-01-01, the leap-year rule and
// the length of a month. Years run over the whole range a log line can write (0 to 65535), wider
// than std::chrono::year holds, so the count from a date is done in integers.
#include <chrono>
#include <cstdint>

bool GregorianLeapYear(int64_t year);
// 28 to 31; 0 for a month outside 1..12.
uint32_t GregorianMonthDays(int64_t year, uint32_t month);

// Days since 1970-01-01 (negative before it) of month 1..12 and any day count: a day past the
// month's end runs on into the next months, as the C library's calendar conversion rolls over.
int64_t GregorianDayNumber(int64_t year, int64_t month, int64_t day);
// The date of a day number whose year std::chrono::year holds (-32767 to 32767).
std::chrono::year_month_day GregorianDateOf(int64_t dayNumber);
