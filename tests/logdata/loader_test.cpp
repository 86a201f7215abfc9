// Reading log lines: the fields, the odd lines, the filters and the arrays' capacities.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tests/logdata/step_by_step.h"
#include "logdata/log_parser.h"
#include "tests/logdata/test_support.h"

namespace {

struct Loaded {
    std::vector<PlaybackRecord> records;
    int capacity;
};

Loaded Load(const std::string& bytes, const ScanFilter& filter = {}) {
    PlaybackLog log;
    log.filter = filter;
    LoadLogBytes(bytes, log);
    return {Records(log), log.recordCapacity};
}

std::vector<std::string> Names(const std::string& bytes, const ScanFilter& filter = {}) {
    std::vector<std::string> names;
    for (const PlaybackRecord& record : Load(bytes, filter).records) {
        names.push_back(record.name);
    }
    return names;
}

PlaybackRecord Only(const std::string& bytes) {
    const Loaded loaded = Load(bytes);
    EXPECT_EQ(loaded.records.size(), 1u) << bytes;
    return loaded.records.empty() ? PlaybackRecord{} : loaded.records[0];
}

void ExpectTime(const PlaybackRecord& r, unsigned day, unsigned month, unsigned year, unsigned hour,
                unsigned minute, unsigned second) {
    EXPECT_EQ(r.time.wDay, day);
    EXPECT_EQ(r.time.wMonth, month);
    EXPECT_EQ(r.time.wYear, year);
    EXPECT_EQ(r.time.wHour, hour);
    EXPECT_EQ(r.time.wMinute, minute);
    EXPECT_EQ(r.time.wSecond, second);
    EXPECT_EQ(r.time.wDayOfWeek, 0);
    EXPECT_EQ(r.time.wMilliseconds, 0);
}

TEST(LogLine, FiveFieldsGiveDateTimeNameAndLength) {
    const PlaybackRecord r = Only("15.03.2015\t10:20:30\tX\tspot1.avi\t12.5\r\n");
    ExpectTime(r, 15, 3, 2015, 10, 20, 30);
    EXPECT_EQ(Name(r), "spot1.avi");
    EXPECT_EQ(r.length, 12.5);
}

TEST(LogLine, FieldsAfterTheFifthAreIgnored) {
    const PlaybackRecord r = Only("1.2.2015\t1:2:3\tX\tspot\t7\tmore\tand more\r\n");
    EXPECT_EQ(Name(r), "spot");
    EXPECT_EQ(r.length, 7.0);
}

TEST(LogLine, LastLineWithoutLineEndIsRead) {
    EXPECT_EQ(Name(Only("1.2.2015\t1:2:3\tX\tspot\t7")), "spot");
}

TEST(LogLine, NumbersWrapAsUnsignedShortScanning) {
    const PlaybackRecord r = Only("65537.65536.70000\t-1:+5:0007\tX\tspot\t1\r\n");
    ExpectTime(r, 1, 0, 70000 - 65536, 65535, 5, 7);
}

TEST(LogLine, LengthIsScannedAsADouble) {
    EXPECT_EQ(Only("1.2.2015\t1:2:3\tX\ts\t1e3\r\n").length, 1000.0);
    EXPECT_EQ(Only("1.2.2015\t1:2:3\tX\ts\t0x1p3\r\n").length, 8.0);
    EXPECT_EQ(Only("1.2.2015\t1:2:3\tX\ts\t  -5.25xyz\r\n").length, -5.25);
    EXPECT_EQ(Only("1.2.2015\t1:2:3\tX\ts\t12.\r\n").length, 12.0);
    EXPECT_EQ(Only("1.2.2015\t1:2:3\tX\ts\t0.1\r\n").length, 0.1);
    EXPECT_TRUE(std::isinf(Only("1.2.2015\t1:2:3\tX\ts\tinf\r\n").length));
    EXPECT_TRUE(std::isnan(Only("1.2.2015\t1:2:3\tX\ts\tnan\r\n").length));
    EXPECT_EQ(Only("1.2.2015\t1:2:3\tX\ts\tabc\r\n").length, 0.0);
}

TEST(FourthField, MissingLengthKeepsLineEndInName) {
    const PlaybackRecord r = Only("15.03.2015\t10:20:30\tX\tspot1.avi\r\n");
    EXPECT_EQ(Name(r), "spot1.avi\r\n");
    EXPECT_EQ(r.length, 0.0);
}

TEST(FourthField, ThreeFieldsTakeTheThirdWithItsLineEnd) {
    const PlaybackRecord r = Only("15.03.2015\t10:20:30\tthird\r\n");
    EXPECT_EQ(Name(r), "third\r\n");
    ExpectTime(r, 15, 3, 2015, 10, 20, 30);
}

TEST(FourthField, EmptyFourthKeepsTheThird) {
    const PlaybackRecord r = Only("15.03.2015\t10:20:30\tthird\t\t4.5\r\n");
    EXPECT_EQ(Name(r), "third");
    EXPECT_EQ(r.length, 4.5);
}

TEST(FourthField, LongNamesAreCutTo255AndTheLengthStillFound) {
    const std::string longName(300, 'n');
    PlaybackRecord r = Only("1.2.2015\t1:2:3\tX\t" + longName + "\t9\r\n");
    EXPECT_EQ(Name(r), longName.substr(0, 255));
    EXPECT_EQ(r.length, 9.0);
    r = Only("1.2.2015\t1:2:3\t" + longName + "\t\t9\r\n");
    EXPECT_EQ(Name(r), longName.substr(0, 255));
}

TEST(FirstScan, FormatTabMatchesAnyWhiteSpaceButTabsAreCountedForReal) {
    // The date and time parse across spaces, but the third real TAB comes after "name".
    const PlaybackRecord r = Only("15.03.2015   10:20:30\tX\tname\t3\r\n");
    ExpectTime(r, 15, 3, 2015, 10, 20, 30);
    EXPECT_EQ(Name(r), "3\r\n");
    EXPECT_EQ(r.length, 0.0);
}

TEST(FirstScan, EmptyThirdFieldLetsTheScanReadTheFourth) {
    const PlaybackRecord r = Only("15.03.2015\t10:20:30\t\tspot\t5\r\n");
    EXPECT_EQ(Name(r), "spot");
    EXPECT_EQ(r.length, 5.0);
}

TEST(FirstScan, WhiteSpaceBeforeTheThirdFieldIsSkipped) {
    EXPECT_EQ(Name(Only("1.2.2015\t1:2:3\t  third\r\n")), "third\r\n");
}

TEST(FirstScan, StopsAtTheFirstMismatchAndKeepsWhatItStored) {
    const PlaybackRecord r = Only("15.03.x\t10:20:30\tX\tspot\t2\r\n");
    ExpectTime(r, 15, 3, 0, 0, 0, 0);
    EXPECT_EQ(Name(r), "spot");
}

TEST(FirstScan, UnreadableDateWithAFourthFieldIsKeptWithZeros) {
    const PlaybackRecord r = Only("??.??.????\t??:??:??\tX\tspot\t2\r\n");
    ExpectTime(r, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Name(r), "spot");
    EXPECT_EQ(r.length, 2.0);
}

TEST(OddLines, LinesWithoutANameAreSkipped) {
    EXPECT_TRUE(Names("\r\n\n# comment\r\n15.03.2015\t10:20:30\r\n\t\t\t\t5\r\n").empty());
    EXPECT_EQ(Names("\t\t\t\r\n"), std::vector<std::string>{"\r\n"});
    EXPECT_TRUE(Names("").empty());
}

TEST(OddLines, NulEndsWhatTheScanSees) {
    const std::string line("1.2.2015\t1:2:3\tX\tsp\0ot\t5\r\n", 25);
    const PlaybackRecord r = Only(line);
    EXPECT_EQ(Name(r), "sp");
    EXPECT_EQ(r.length, 0.0);
    // A NUL before the third TAB ends the line for the TAB count too.
    EXPECT_EQ(Name(Only(std::string("1.2.2015\t1:2:3\tthi\0rd\tspot\t5\r\n", 29))), "thi");
}

TEST(OddLines, LinesLongerThan1998CharactersContinueAsLinesOfTheirOwn) {
    const std::string good = "1.2.2015\t1:2:3\tX\tspot\t5\r\n";
    const std::string head = "1.2.2015\t1:2:3\tX\t" + std::string(1998 - 17, 'a');
    ASSERT_EQ(head.size(), 1998u);
    // The rest after 1998 characters is a line of its own: here a complete, good line.
    EXPECT_EQ(Names(head + good), (std::vector<std::string>{std::string(255, 'a'), "spot"}));
    // Exactly 1998 characters before the line feed: the lone line feed after them is skipped.
    EXPECT_EQ(Names(head + "\n" + good).size(), 2u);
    // 1997 characters and CR LF: the CR belongs to the first line.
    const std::string shorter = "1.2.2015\t1:2:3\t" + std::string(1997 - 15, 'b');
    EXPECT_EQ(Names(shorter + "\r\n")[0], std::string(255, 'b'));
}

TEST(OddLines, CarriageReturnAloneDoesNotEndALine) {
    EXPECT_EQ(Names("1.2.2015\t1:2:3\tX\ta\t1\r1.2.2015\t1:2:3\tX\tb\t2\r\n"),
              std::vector<std::string>{"a"});
}

TEST(DayFilter, KeepsOnlyThatDayWhateverTheMonth) {
    ScanFilter filter;
    filter.day = 5;
    const std::string log =
        "5.03.2015\t1:0:0\tX\ta\t1\r\n5.04.1999\t1:0:0\tX\tb\t1\r\n15.03.2015\t1:0:0\tX\tc\t1\r\n"
        "??\tX\td\t1\r\n";
    EXPECT_EQ(Names(log, filter), (std::vector<std::string>{"a", "b"}));
}

TEST(TimeWindow, FromIsInclusiveToIsExclusiveSecondsIgnored) {
    ScanFilter filter;
    filter.timeFilterOn = true;
    filter.fromHour = 8;
    filter.fromMinute = 30;
    filter.toHour = 17;
    filter.toMinute = 0;
    const std::string log =
        "1.1.2015\t8:29:59\tX\ta\t1\r\n1.1.2015\t8:30:00\tX\tb\t1\r\n"
        "1.1.2015\t16:59:59\tX\tc\t1\r\n1.1.2015\t17:00:00\tX\td\t1\r\n"
        "1.1.2015\t9:75:00\tX\te\t1\r\n";
    EXPECT_EQ(Names(log, filter), (std::vector<std::string>{"b", "c", "e"}));
}

TEST(TimeWindow, DefaultWindowKeepsHours0To23) {
    ScanFilter filter;
    filter.timeFilterOn = true;
    EXPECT_EQ(Names("1.1.2015\t0:0:0\tX\ta\t1\r\n1.1.2015\t23:59:59\tX\tb\t1\r\n"
                    "1.1.2015\t24:0:0\tX\tc\t1\r\n",
                    filter),
              (std::vector<std::string>{"a", "b"}));
    filter.timeFilterOn = false;
    EXPECT_EQ(Names("1.1.2015\t24:0:0\tX\tc\t1\r\n", filter).size(), 1u);
}

TEST(TimeWindow, DoesNotWrapPastMidnight) {
    ScanFilter filter;
    filter.timeFilterOn = true;
    filter.fromHour = 22;
    filter.toHour = 6;
    EXPECT_TRUE(Names("1.1.2015\t23:0:0\tX\ta\t1\r\n1.1.2015\t1:0:0\tX\tb\t1\r\n", filter).empty());
}

TEST(TimeWindow, UndatedLinePassesOnlyAWindowFromMidnightOrEarlier) {
    const std::string undated = "garbage\tX\tY\tspot\t1\r\n";
    ScanFilter filter;
    filter.timeFilterOn = true;
    EXPECT_EQ(Names(undated, filter).size(), 1u);
    filter.fromHour = -1;
    filter.fromMinute = 59;
    EXPECT_EQ(Names(undated, filter).size(), 1u);
    filter.fromHour = 0;
    filter.fromMinute = 1;
    EXPECT_TRUE(Names(undated, filter).empty());
}

TEST(StripPaths, KeepsTheLastComponent) {
    EXPECT_EQ(StripPath("C:\\anim\\spot1.avi"), "spot1.avi");
    EXPECT_EQ(StripPath("d:/a/b.x"), "b.x");
    EXPECT_EQ(StripPath("C:spot.avi"), "spot.avi");
    EXPECT_EQ(StripPath("C:"), "");
    EXPECT_EQ(StripPath("a\\b/c.d.e"), "c.d.e");
    EXPECT_EQ(StripPath("\\\\server\\share\\f"), "f");
    EXPECT_EQ(StripPath("plain.avi"), "plain.avi");
    EXPECT_EQ(StripPath("x:y:z"), "y:z");
    EXPECT_EQ(StripPath("dir\\"), "");
}

TEST(StripPaths, AppliesAfterTheEmptyNameCheck) {
    ScanFilter filter;
    filter.stripPaths = 1;
    EXPECT_EQ(Names("1.1.2015\t1:0:0\tX\tC:\\anim\\spot1.avi\t1\r\n"
                    "1.1.2015\t1:0:0\tX\tdir\\\t1\r\n",
                    filter),
              (std::vector<std::string>{"spot1.avi", ""}));
}

std::string Lines(int count, const char* name = "spot") {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += "1.1.2015\t10:00:00\tX\t" + std::string(name) + "\t1\r\n";
    }
    return log;
}

TEST(Capacity, GrowsIn5000RecordSteps) {
    EXPECT_EQ(Load("").capacity, 0);
    EXPECT_EQ(Load(Lines(1)).capacity, 5000);
    EXPECT_EQ(Load(Lines(5000)).capacity, 5000);
    EXPECT_EQ(Load(Lines(5001)).capacity, 10000);
}

TEST(Capacity, KeptBetweenLoadsAndNeverShrunk) {
    PlaybackLog log;
    LoadLogBytes(Lines(5001), log);
    ASSERT_EQ(log.recordCount, 5001);
    const std::string file = WriteTempFile("capacity.txt", Lines(3));
    EXPECT_EQ(LoadLogFile(file.c_str(), log), 0);
    std::remove(file.c_str());
    EXPECT_EQ(log.recordCount, 3);
    EXPECT_EQ(log.recordCapacity, 10000);
    log.filter.day = 9;
    LoadLogBytes(Lines(3), log);
    EXPECT_EQ(log.recordCount, 0);
    EXPECT_EQ(log.recordCapacity, 10000);
}

TEST(Capacity, FailedOpenLeavesAnEmptyLog) {
    PlaybackLog log;
    LoadLogBytes(Lines(10), log);
    log.totals = static_cast<AnimationTotal*>(std::calloc(100, sizeof(AnimationTotal)));
    log.totalCapacity = 100;
    log.totalCount = 1;
    EXPECT_EQ(LoadLogFile("no/such/file.txt", log), 1);
    EXPECT_EQ(log.recordCount, 0);
    EXPECT_EQ(log.totalCount, 0);
    EXPECT_EQ(log.totalCapacity, 100);
}

}  // namespace
