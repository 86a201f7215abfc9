#include "reports/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "logdata/month_load.h"

namespace {

std::string Line(const char* date, const char* time, const char* name = "spot") {
    return std::string(date) + "\t" + time + "\tX\t" + name + "\t10\r\n";
}

using Buckets = std::vector<std::pair<int, uint32_t>>;  // (day or hour, plays), the others 0

Buckets NonZero(const uint32_t* counts, int size) {
    Buckets buckets;
    for (int i = 0; i < size; ++i) {
        if (counts[i] != 0) {
            buckets.emplace_back(i, counts[i]);
        }
    }
    return buckets;
}

ScanFilter Window(int32_t fromHour, int32_t fromMinute, int32_t toHour, int32_t toMinute) {
    ScanFilter filter;
    filter.timeFilterOn = true;
    filter.fromHour = fromHour;
    filter.fromMinute = fromMinute;
    filter.toHour = toHour;
    filter.toMinute = toMinute;
    return filter;
}

ScanFilter Day(int32_t day) {
    ScanFilter filter;
    filter.day = day;
    return filter;
}

// The counts of what a load with the filter keeps, over all animations.
TEST(PlayCounts, DaysAndHoursAtTheMonthsEdges) {
    const struct {
        const char* what;
        ReportMonth month;
        ScanFilter filter;
        std::string log;
        Buckets days, hours;
        uint32_t notInMonth, badHour;
    } cases[] = {
        {"first and last second of November",
         {2026, 11},
         {},
         Line("01.11.2026", "00:00:00") + Line("30.11.2026", "23:59:59"),
         {{1, 1}, {30, 1}},
         {{0, 1}, {23, 1}},
         0,
         0},
        {"31 November and a December play are not days of November",
         {2026, 11},
         {},
         Line("31.11.2026", "10:00:00", "a") + Line("01.12.2026", "10:00:00", "b") +
             Line("01.11.2025", "10:00:00", "c"),
         {},
         {{10, 3}},
         3,
         0},
        {"29 February of a leap year",
         {2024, 2},
         {},
         Line("29.02.2024", "23:59:59") + Line("28.02.2024", "12:30:00"),
         {{28, 1}, {29, 1}},
         {{12, 1}, {23, 1}},
         0,
         0},
        {"29 February of another year",
         {2023, 2},
         {},
         Line("29.02.2023", "23:59:59", "a"),
         {},
         {{23, 1}},
         1,
         0},
        {"an hour past 23 has no bar",
         {2026, 11},
         {},
         Line("02.11.2026", "24:00:00", "late"),
         {{2, 1}},
         {},
         0,
         1},
        {"a day filter keeps one bar of days",
         {2015, 3},
         Day(15),
         Line("14.03.2015", "10:00:00") + Line("15.03.2015", "11:00:00") +
             Line("15.03.2015", "11:59:59") + Line("16.03.2015", "12:00:00"),
         {{15, 2}},
         {{11, 2}},
         0,
         0},
        {"a window from 9:30 to 17:15 cuts its first and last hour",
         {2015, 3},
         Window(9, 30, 17, 15),
         Line("01.03.2015", "09:29:59") + Line("01.03.2015", "09:30:00") +
             Line("01.03.2015", "12:00:00") + Line("02.03.2015", "17:14:59") +
             Line("02.03.2015", "17:15:00"),
         {{1, 2}, {2, 1}},
         {{9, 1}, {12, 1}, {17, 1}},
         0,
         0},
        {"a window to 24:00 keeps the last second of the day",
         {2015, 3},
         Window(23, 0, 24, 0),
         Line("31.03.2015", "22:59:59") + Line("31.03.2015", "23:59:59"),
         {{31, 1}},
         {{23, 1}},
         0,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlaybackLog log;
        log.filter = c.filter;
        ASSERT_EQ(LoadSortAndGroupBytes(c.log, log).status, LoadStatus::kLoaded);
        PlayCounts counts{};
        CountPlays(log.records, log.recordCount, c.month, counts);
        EXPECT_EQ(NonZero(counts.perDay, 32), c.days);
        EXPECT_EQ(NonZero(counts.perHour, 24), c.hours);
        EXPECT_EQ(counts.notInMonth, c.notInMonth);
        EXPECT_EQ(counts.badHour, c.badHour);
    }
}

TEST(PlayCounts, DaysInMonthFollowTheCalendar) {
    const struct {
        ReportMonth month;
        int days;
    } cases[] = {{{2024, 2}, 29},  {{2023, 2}, 28},  {{1900, 2}, 28}, {{2000, 2}, 29},
                 {{2026, 11}, 30}, {{2026, 12}, 31}, {{2026, 0}, 31}, {{7, 123}, 31}};
    for (const auto& c : cases) {
        EXPECT_EQ(DaysInMonth(c.month), c.days) << c.month.year << "-" << c.month.month;
    }
}

TEST(HtmlText, NamesShowAsTextInUtf8) {
    const struct {
        const char* name;  // Windows-1250
        const char* html;  // UTF-8
    } cases[] = {
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"Nov\xE1k & syn", "Nov\xC3\xA1k &amp; syn"},
        {"\xC8"
         "erven\xFD \x9A\x9D\x8E",
         "\xC4\x8C"
         "erven\xC3\xBD \xC5\xA1\xC5\xA5\xC5\xBD"},
        {"spot.avi\r\n", "spot.avi\xE2\x90\x8D\xE2\x90\x8A"},
        {"\x01\x1F\x7F", "\xE2\x90\x81\xE2\x90\x9F\xE2\x90\xA1"},
        {"a\xA0"
         "b",
         "a&nbsp;b"},
        {"\x81", "\xEF\xBF\xBD"},
        {"\"quoted\" 'x'", "\"quoted\" 'x'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HtmlText(c.name), c.html) << c.name;
    }
}

}  // namespace
