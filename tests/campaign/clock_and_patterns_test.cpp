// The calendar, the panel's clock on its change days, a day's coverage and spot patterns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "campaign/coverage.h"
#include "campaign/spot_pattern.h"

namespace {

TEST(Calendar, DayNumbersRoundTripAndKnowLeapYears) {
    EXPECT_EQ(DayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(DayNumber({2000, 3, 1}) - DayNumber({2000, 2, 28}), 2);
    EXPECT_EQ(DayNumber({2100, 3, 1}) - DayNumber({2100, 2, 28}), 1);
    for (int32_t day = DayNumber({1969, 12, 1}); day < DayNumber({2401, 1, 1}); day += 97) {
        EXPECT_EQ(DayNumber(DateOfDay(day)), day);
    }
    EXPECT_FALSE(IsRealDate({2026, 2, 29}));
    EXPECT_TRUE(IsRealDate({2028, 2, 29}));
    EXPECT_FALSE(IsRealDate({2026, 13, 1}));
    EXPECT_EQ(IsoDateText(DayNumber({2026, 10, 5})), "2026-10-05");
    EXPECT_EQ(CzechDateText(DayNumber({2026, 10, 5})), "5.10.2026");
}

TEST(Calendar, TheClockChangesOnTheLastSundaysOfMarchAndOctober) {
    const struct {
        CivilDate date;
        ClockChange change;
    } cases[] = {
        {{2026, 3, 29}, ClockChange::kHourSkipped}, {{2026, 10, 25}, ClockChange::kHourRepeated},
        {{2027, 3, 28}, ClockChange::kHourSkipped}, {{2027, 10, 31}, ClockChange::kHourRepeated},
        {{2026, 3, 22}, ClockChange::kNone},        {{2026, 11, 1}, ClockChange::kNone},
        {{1995, 3, 26}, ClockChange::kNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClockChangeOn(DayNumber(c.date)), c.change) << c.date.month << "/" << c.date.day;
    }
}

TEST(Calendar, ADayOwnTimelineAndBack) {
    const int32_t h = 3600;
    EXPECT_EQ(RealSecondOfDay(ClockChange::kHourSkipped, 3 * h, false), 2 * h);
    EXPECT_EQ(RealSecondOfDay(ClockChange::kHourSkipped, 2 * h + 30, false), 2 * h);
    EXPECT_EQ(RealSecondOfDay(ClockChange::kHourRepeated, 2 * h + 30, false), 2 * h + 30);
    EXPECT_EQ(RealSecondOfDay(ClockChange::kHourRepeated, 2 * h + 30, true), 3 * h + 30);
    EXPECT_EQ(RealSecondOfDay(ClockChange::kHourRepeated, 24 * h, true), 25 * h);
    EXPECT_EQ(LocalSecondOfDay(ClockChange::kHourSkipped, 2 * h), 3 * h);
    EXPECT_EQ(LocalSecondOfDay(ClockChange::kHourRepeated, 3 * h + 30), 2 * h + 30);
    EXPECT_EQ(LocalSecondOfDay(ClockChange::kNone, 5 * h), 5 * h);
}

TEST(Coverage, SilencesAreFoundWhateverTheOrderOfThePlays) {
    // Plays of a minute every 10 minutes from 8:00, one gap of 30 minutes, in three orders.
    std::vector<int32_t> starts;
    for (int32_t minute = 480; minute <= 600; minute += 10) {
        if (minute != 530 && minute != 540) {
            starts.push_back(minute * 60);
        }
    }
    for (int order = 0; order < 3; ++order) {
        Coverage coverage(15 * 60);
        for (size_t i = 0; i < starts.size(); ++i) {
            const size_t k = order == 0   ? i
                             : order == 1 ? starts.size() - 1 - i
                                          : (i * 5) % starts.size();
            coverage.Add(starts[k], starts[k] + 60);
        }
        Coverage merged(15 * 60);
        merged.Merge(coverage);
        const std::vector<Stretch> silences = merged.SilencesIn(7 * 3600, 11 * 3600);
        ASSERT_EQ(silences.size(), 3u) << order;
        EXPECT_EQ(silences[0].start, 7 * 3600);  // the window's start, before the first play
        EXPECT_EQ(silences[1].start, 521 * 60);  // after the 8:40 play
        EXPECT_EQ(silences[1].end, 550 * 60);
        EXPECT_EQ(silences[2].start, 601 * 60);  // after the last play, to the window's end
    }
}

TEST(SpotPattern, OverlapIsDecidedAsAnyNameWouldMatchBoth) {
    const struct {
        const char* a;
        const char* b;
        bool overlap;
    } cases[] = {
        {"spot*", "*.avi", true},
        {"spot*", "jaro*", false},
        {"*a", "*b", false},
        {"a*b", "a*c*b", true},
        {"SPOT.avi", "spot.AVI", true},
        {"spot.avi", "s*x.avi", false},
        {"sp*t.avi", "spot.avi", true},
        {"*", "anything", true},
        {"č*", "Č*x", true},
    };
    for (const auto& c : cases) {
        const SpotPattern a(Utf8ToCp1250(c.a));
        const SpotPattern b(Utf8ToCp1250(c.b));
        EXPECT_EQ(a.MayOverlap(b), c.overlap) << c.a << " " << c.b;
        EXPECT_EQ(b.MayOverlap(a), c.overlap) << c.b << " " << c.a;
    }
}

}  // namespace
