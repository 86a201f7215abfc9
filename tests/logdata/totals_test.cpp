#include "logdata/totals.h"
#include "tests/logdata/step_by_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string TimeText(int32_t count, double length) {
    char text[64];
    FormatTotalTime(SplitTotalTime(TotalSeconds(count, length)), text, sizeof text);
    return text;
}

void AddRecord(PlaybackLog& log, const char* name, double length) {
    if (log.recordCount == log.recordCapacity) {
        log.recordCapacity += kRecordGrowth;
        log.records = static_cast<PlaybackRecord*>(
            std::realloc(log.records, sizeof(PlaybackRecord) * log.recordCapacity));
    }
    PlaybackRecord record{};
    std::strncpy(record.name, name, kNameSize - 1);
    record.length = length;
    log.records[log.recordCount++] = record;
}

std::string Cell(PlaybackLog& log, int row, int column, int capacity = 260) {
    std::string buffer(static_cast<size_t>(capacity), '#');
    ListViewItem item{};
    item.mask = kListItemText;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = capacity;
    GetTotalText(&log, &item);
    return buffer.substr(0, buffer.find('\0'));
}

TEST(TotalTimeRule, TruncatesTheProductAndSplitsIt) {
    EXPECT_EQ(TimeText(3, 12.5), "0 h  00 min  37 sec");
    EXPECT_EQ(TimeText(7, 12.5), "0 h  01 min  27 sec");
    EXPECT_EQ(TimeText(2, 0.4), "0 h  00 min  00 sec");
    EXPECT_EQ(TimeText(1000, 30.0), "8 h  20 min  00 sec");
    EXPECT_EQ(TimeText(3600, 1.0), "1 h  00 min  00 sec");
    EXPECT_EQ(TimeText(1000, 600.0), "166 h  40 min  00 sec");
}

TEST(TotalTimeRule, HoursHaveNoUpperBound) {
    EXPECT_EQ(TimeText(2000000000, 100000.0), "55555555555 h  33 min  20 sec");
}

TEST(TotalTimeRule, ExtremeLengthsSaturateInsteadOfOverflowing) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(TotalSeconds(5, inf), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(TotalSeconds(5, -inf), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(TotalSeconds(2, 1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(TotalSeconds(3, std::nan("")), 0);
    EXPECT_EQ(TotalSeconds(3, -12.5), -37);  // toward zero, not down
    // Formatting the extremes is defined too.
    EXPECT_EQ(TimeText(5, inf), "2562047788015215 h  30 min  07 sec");
    EXPECT_FALSE(TimeText(5, -inf).empty());
}

TEST(Grouping, OneTotalPerRunOfEqualNamesWithTheFirstRecordsLength) {
    PlaybackLog log;
    AddRecord(log, "a.avi", 10.0);
    AddRecord(log, "a.avi", 99.0);
    AddRecord(log, "b.avi", 5.5);
    AddRecord(log, "b.avi\r\n", 5.5);  // differs by its line end: a total of its own
    ASSERT_EQ(BuildTotals(log), 0);
    ASSERT_EQ(log.totalCount, 3);
    EXPECT_STREQ(log.totals[0].name, "a.avi");
    EXPECT_EQ(log.totals[0].length, 10.0);
    EXPECT_EQ(log.totals[0].playCount, 2);
    EXPECT_EQ(log.totals[0].firstIndex, 0);
    EXPECT_EQ(log.totals[1].firstIndex, 2);
    EXPECT_EQ(log.totals[2].playCount, 1);
    EXPECT_EQ(log.totals[2].firstIndex, 3);
    EXPECT_EQ(log.totalCapacity, 100);
}

TEST(Grouping, NoRecordsGiveNoTotalsAndNoArray) {
    PlaybackLog log;
    BuildTotals(log);
    EXPECT_EQ(log.totalCount, 0);
    EXPECT_EQ(log.totals, nullptr);
}

TEST(Grouping, The101stNameGrowsTheArrayOnceBy100) {
    PlaybackLog log;
    for (int i = 0; i < 101; ++i) {
        AddRecord(log, ("n" + std::to_string(1000 + i)).c_str(), 1.0);
    }
    BuildTotals(log);
    EXPECT_EQ(log.totalCount, 101);
    EXPECT_EQ(log.totalCapacity, 200);
    EXPECT_STREQ(log.totals[100].name, "n1100");
}

TEST(CellTexts, FourColumnsAndNothingElse) {
    PlaybackLog log;
    AddRecord(log, "intro.avi", 12.5);
    AddRecord(log, "intro.avi", 12.5);
    AddRecord(log, "intro.avi", 12.5);
    BuildTotals(log);
    EXPECT_EQ(Cell(log, 0, 0), "intro.avi");
    EXPECT_EQ(Cell(log, 0, 1), "12.50");
    EXPECT_EQ(Cell(log, 0, 2), "3");
    EXPECT_EQ(Cell(log, 0, 3), "0 h  00 min  37 sec");
    EXPECT_EQ(Cell(log, 0, 4), std::string(260, '#'));  // untouched
}

TEST(CellTexts, NeverWriteMoreThanTheBufferHolds) {
    PlaybackLog log;
    AddRecord(log, "a-rather-long-animation-name.avi", 12.5);
    BuildTotals(log);
    EXPECT_EQ(Cell(log, 0, 0, 5), "a-ra");
    EXPECT_EQ(Cell(log, 0, 3, 4), "0 h");
}

TEST(CellTexts, ARequestWithoutTheTextFlagIsIgnored) {
    PlaybackLog log;
    AddRecord(log, "x", 1.0);
    BuildTotals(log);
    char buffer[8] = "keep";
    ListViewItem item{};
    item.mask = 0;
    item.pszText = buffer;
    item.cchTextMax = 8;
    GetTotalText(&log, &item);
    EXPECT_STREQ(buffer, "keep");
}

TEST(CellTexts, ARowBeyondTheTotalsIsEmpty) {
    PlaybackLog log;
    AddRecord(log, "x", 1.0);
    BuildTotals(log);
    EXPECT_EQ(Cell(log, 1, 0), "");
    EXPECT_EQ(Cell(log, -1, 2), "");
}

}  // namespace
