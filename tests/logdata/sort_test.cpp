// The record order, the moments behind it, the date error and the totals of a load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/logdata/step_by_step.h"
#include "logdata/month_load.h"
#include "logdata/play_moment.h"
#include "logdata/load_messages.h"
#include "logdata/totals.h"
#include "tests/logdata/test_support.h"

namespace {

class InUtc : public ::testing::Test {
protected:
    void SetUp() override { SetTimeZone("UTC"); }
};

PlaybackRecord Record(const char* name, uint16_t year, uint16_t month, uint16_t day,
                      uint16_t hour = 0, uint16_t minute = 0, uint16_t second = 0) {
    PlaybackRecord record{};
    std::strncpy(record.name, name, kNameSize - 1);
    record.time = {year, month, 0, day, hour, minute, second, 0};
    return record;
}

std::vector<std::string> LoadedNames(const std::string& bytes) {
    PlaybackLog log;
    EXPECT_EQ(LoadSortAndGroupBytes(bytes, log).status, LoadStatus::kLoaded);
    std::vector<std::string> names;
    for (const PlaybackRecord& record : Records(log)) {
        names.push_back(record.name);
    }
    return names;
}

std::string Line(const std::string& name, const char* when = "1.1.2015\t10:00:00",
                 const char* length = "1") {
    return std::string(when) + "\tX\t" + name + "\t" + length + "\r\n";
}

TEST_F(InUtc, NamesSortByUnsignedBytesPrefixFirst) {
    EXPECT_EQ(LoadedNames(Line("b") + Line("B") + Line("a") + Line("ab")),
              (std::vector<std::string>{"B", "a", "ab", "b"}));
    EXPECT_EQ(LoadedNames(Line("\xC8"
                               "okolada") +
                          Line("zebra") + Line("Zebra")),
              (std::vector<std::string>{"Zebra", "zebra", "\xC8okolada"}));
}

TEST_F(InUtc, SameNameSortsByMomentAndTheTotalTakesTheFirstLength) {
    PlaybackLog log;
    ASSERT_EQ(LoadSortAndGroupBytes(Line("s", "1.1.2015\t10:00:00", "20") +
                                        Line("s", "1.1.2015\t09:00:00", "12.5") +
                                        Line("s", "0.0.0\t23:00:00", "3"),
                                    log)
                  .status,
              LoadStatus::kLoaded);
    ASSERT_EQ(log.recordCount, 3);
    EXPECT_EQ(log.records[0].time.wYear, 0);  // date 0.0.0: moment 0, first
    EXPECT_EQ(log.records[1].time.wHour, 9);
    ASSERT_EQ(log.totalCount, 1);
    EXPECT_EQ(log.totals[0].length, 3.0);
    EXPECT_EQ(log.totals[0].playCount, 3);
    EXPECT_EQ(log.totals[0].firstIndex, 0);
}

TEST_F(InUtc, CompareRecordsUsesTheFullMomentDifference) {
    // 75 years apart: a 32-bit difference would wrap and misorder them.
    const PlaybackRecord early = Record("s", 1971, 1, 1);
    const PlaybackRecord late = Record("s", 2046, 1, 1);
    EXPECT_LT(CompareRecords(early, late), 0);
    EXPECT_GT(CompareRecords(late, early), 0);
    EXPECT_EQ(CompareRecords(late, late), 0);
    EXPECT_LT(CompareRecords(Record("a", 2046, 1, 1), Record("b", 1971, 1, 1)), 0);
}

TEST_F(InUtc, SortRecordsOrdersPlaysFarApart) {
    PlaybackLog log;
    LoadLogBytes(Line("s", "1.1.2046\t0:0:0") + Line("s", "1.1.1971\t0:0:0") +
                     Line("s", "1.1.2999\t0:0:0") + Line("r", "1.1.2000\t0:0:0"),
                 log);
    ASSERT_TRUE(SortRecords(log).ok);
    EXPECT_EQ(Name(log.records[0]), "r");
    EXPECT_EQ(log.records[1].time.wYear, 1971);
    EXPECT_EQ(log.records[2].time.wYear, 2046);
    EXPECT_EQ(log.records[3].time.wYear, 2999);
}

TEST_F(InUtc, MomentsOfTheCalendarConversion) {
    EXPECT_EQ(GetPlayMoment(1970, 1, 1, 0, 0, 0).seconds, 0);
    EXPECT_EQ(GetPlayMoment(2015, 3, 15, 10, 20, 30).seconds, 1426414830);
    EXPECT_EQ(GetPlayMoment(2015, 2, 31, 0, 0, 0).seconds,
              GetPlayMoment(2015, 3, 3, 0, 0, 0).seconds);
    EXPECT_TRUE(GetPlayMoment(1899, 13, 40, 99, 99, 99).valid);  // before 1900: moment 0
    EXPECT_EQ(GetPlayMoment(1899, 13, 40, 99, 99, 99).seconds, 0);
    EXPECT_EQ(GetPlayMoment(3000, 12, 31, 23, 59, 59).seconds, kLatestMoment);
}

TEST_F(InUtc, DatesWithoutAMoment) {
    EXPECT_FALSE(GetPlayMoment(2015, 0, 1, 0, 0, 0).valid);
    EXPECT_FALSE(GetPlayMoment(2015, 13, 1, 0, 0, 0).valid);
    EXPECT_FALSE(GetPlayMoment(2015, 1, 0, 0, 0, 0).valid);
    EXPECT_FALSE(GetPlayMoment(2015, 1, 32, 0, 0, 0).valid);
    EXPECT_FALSE(GetPlayMoment(2015, 1, 1, 24, 0, 0).valid);
    EXPECT_FALSE(GetPlayMoment(2015, 1, 1, 0, 60, 0).valid);
    EXPECT_FALSE(GetPlayMoment(2015, 1, 1, 0, 0, 60).valid);
    EXPECT_FALSE(GetPlayMoment(1969, 12, 31, 23, 59, 59).valid);
    EXPECT_FALSE(GetPlayMoment(1900, 1, 1, 0, 0, 0).valid);
    EXPECT_FALSE(GetPlayMoment(3001, 1, 1, 0, 0, 0).valid);
}

TEST_F(InUtc, MomentCacheAgreesWithTheConversion) {
    MomentCache cache;
    const uint16_t cases[][6] = {{2015, 3, 15, 10, 20, 30},  {2015, 3, 15, 10, 20, 59},
                                 {2015, 3, 15, 10, 21, 0},   {1970, 1, 1, 0, 0, 0},
                                 {3000, 12, 31, 23, 59, 59}, {2015, 13, 1, 0, 0, 0},
                                 {1899, 0, 0, 0, 0, 0},      {2015, 3, 15, 10, 20, 30}};
    for (const auto& c : cases) {
        const PlayMoment cached = cache.Get(c[0], c[1], c[2], c[3], c[4], c[5]);
        const PlayMoment direct = GetPlayMoment(c[0], c[1], c[2], c[3], c[4], c[5]);
        EXPECT_EQ(cached.valid, direct.valid) << c[0] << "-" << c[1];
        EXPECT_EQ(cached.seconds, direct.seconds) << c[0] << "-" << c[1];
    }
}

TEST(MomentsInPrague, DaylightSavingChangesAreReadTheSameWayEveryTime) {
    if (!HasZoneDatabase()) {
        GTEST_SKIP() << "no zone database";
    }
    SetTimeZone("Europe/Prague");
    // 2026-10-25 02:30 occurs twice: the first occurrence (summer time, 00:30 UTC) is taken,
    // whatever the conversion saw before.
    GetPlayMoment(2026, 12, 1, 12, 0, 0);
    EXPECT_EQ(GetPlayMoment(2026, 10, 25, 2, 30, 0).seconds, 1792888200);
    GetPlayMoment(2026, 7, 1, 12, 0, 0);
    EXPECT_EQ(GetPlayMoment(2026, 10, 25, 2, 30, 0).seconds, 1792888200);
    // 2026-03-29 02:30 does not exist: read with the winter offset, 01:30 UTC.
    GetPlayMoment(2026, 7, 1, 12, 0, 0);
    EXPECT_EQ(GetPlayMoment(2026, 3, 29, 2, 30, 0).seconds, 1774747800);
    GetPlayMoment(2026, 1, 1, 12, 0, 0);
    EXPECT_EQ(GetPlayMoment(2026, 3, 29, 2, 30, 0).seconds, 1774747800);
    // Ordinary times on both sides.
    EXPECT_EQ(GetPlayMoment(2026, 7, 1, 12, 0, 0).seconds, 1782900000);
    EXPECT_EQ(GetPlayMoment(2026, 12, 1, 12, 0, 0).seconds, 1796122800);
    // Across the autumn change the order follows the moments: 01:59 summer time before 02:00
    // winter time an hour later, and the cache agrees with the conversion.
    MomentCache cache;
    EXPECT_EQ(cache.Get(2026, 10, 25, 3, 0, 0).seconds,
              GetPlayMoment(2026, 10, 25, 3, 0, 0).seconds);
    EXPECT_EQ(cache.Get(2026, 10, 25, 2, 30, 5).seconds, 1792888205);
    EXPECT_LT(GetPlayMoment(2026, 10, 25, 1, 59, 59).seconds,
              GetPlayMoment(2026, 10, 25, 3, 0, 0).seconds);
    EXPECT_EQ(
        GetPlayMoment(2026, 10, 25, 3, 0, 0).seconds - GetPlayMoment(2026, 10, 25, 1, 0, 0).seconds,
        3 * 3600);
    SetTimeZone("UTC");
}

TEST(MomentsInPrague, PlaysAcrossTheAutumnChangeSortByMoment) {
    if (!HasZoneDatabase()) {
        GTEST_SKIP() << "no zone database";
    }
    SetTimeZone("Europe/Prague");
    PlaybackLog log;
    // File order is not time order: 03:00 winter time is 90 minutes after 02:30 summer time,
    // and 02:59 is read as summer time, the first of its two occurrences.
    const LoadResult result = LoadSortAndGroupBytes(
        Line("s", "25.10.2026\t03:00:00", "3") + Line("s", "25.10.2026\t02:59:00", "2") +
            Line("s", "25.10.2026\t01:59:59", "1") + Line("s", "26.10.2026\t00:00:00", "4"),
        log);
    SetTimeZone("UTC");
    ASSERT_EQ(result.status, LoadStatus::kLoaded);
    ASSERT_EQ(log.recordCount, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(log.records[i].length, i + 1.0) << i;
    }
}

TEST_F(InUtc, DateErrorOnlyForNamesThatNeedOrdering) {
    const std::string badDate = "1.13.2015\t10:00:00";
    PlaybackLog log;
    EXPECT_EQ(LoadSortAndGroupBytes(Line("single", badDate.c_str()) + Line("other"), log).status,
              LoadStatus::kLoaded);
    EXPECT_EQ(log.totalCount, 2);
    const LoadResult result = LoadSortAndGroupBytes(
        Line("twice") + Line("twice", badDate.c_str(), "7") + Line("twice", "1.1.2015\t25:00:00"),
        log);
    ASSERT_EQ(result.status, LoadStatus::kDateError);
    EXPECT_EQ(Name(result.offending), "twice");
    EXPECT_EQ(result.offending.time.wMonth, 13);  // the first bad one in file order
    EXPECT_EQ(result.offending.length, 7.0);
    EXPECT_EQ(log.totalCount, 0);
    EXPECT_EQ(log.recordCount, 3);
    EXPECT_EQ(log.records[1].time.wMonth, 13);  // left in file order
}

TEST_F(InUtc, DateErrorAlsoFromSortRecords) {
    PlaybackLog log;
    LoadLogBytes(Line("b") + Line("a", "1.1.2015\t10:60:00") + Line("a"), log);
    const SortResult result = SortRecords(log);
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.offending.time.wMinute, 60);
    EXPECT_EQ(Name(log.records[0]), "b");  // nothing moved
}

TEST_F(InUtc, DateErrorMessageNamesThePlay) {
    const PlaybackRecord record = Record("spot\r\n", 2015, 13, 2, 10, 5, 9);
    const std::string message = DateErrorMessage(record);
    EXPECT_NE(message.find("\"spot\\r\\n\""), std::string::npos) << message;
    EXPECT_NE(message.find("2.13.2015 10:05:09"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos);
}

TEST_F(InUtc, TotalsOfALoad) {
    PlaybackLog log;
    std::string bytes =
        Line("s", "1.1.2015\t10:00:00", "12.5") + Line("s", "1.1.2015\t11:00:00", "12.5") +
        Line("s", "1.1.2015\t12:00:00", "12.5") + Line("t", "1.1.2015\t1:0:0", "30");
    ASSERT_EQ(LoadSortAndGroupBytes(bytes, log).status, LoadStatus::kLoaded);
    ASSERT_EQ(log.totalCount, 2);
    EXPECT_EQ(RowText(log, 0), "s\t12.50\t3\t0 h  00 min  37 sec");
    EXPECT_EQ(RowText(log, 1), "t\t30.00\t1\t0 h  00 min  30 sec");
    EXPECT_EQ(log.totals[1].firstIndex, 3);
    EXPECT_EQ(log.totalCapacity, 100);
}

TEST_F(InUtc, NamesDifferingByLineEndsAreSeparateTotals) {
    PlaybackLog log;
    ASSERT_EQ(LoadSortAndGroupBytes("1.1.2015\t1:0:0\tX\tspot\r\n" + Line("spot"), log).status,
              LoadStatus::kLoaded);
    EXPECT_EQ(log.totalCount, 2);
}

TEST_F(InUtc, TotalsGrowIn100RowStepsAndAreKept) {
    std::string bytes;
    for (int i = 0; i < 101; ++i) {
        bytes += Line("n" + std::to_string(1000 + i));
    }
    PlaybackLog log;
    ASSERT_EQ(LoadSortAndGroupBytes(bytes, log).status, LoadStatus::kLoaded);
    EXPECT_EQ(log.totalCount, 101);
    EXPECT_EQ(log.totalCapacity, 200);
    log.filter.day = 2;
    ASSERT_EQ(LoadSortAndGroupBytes(bytes, log).status, LoadStatus::kLoaded);
    EXPECT_EQ(log.totalCount, 0);
    EXPECT_EQ(log.recordCount, 0);
    EXPECT_EQ(log.totalCapacity, 200);
}

}  // namespace
