// A booking counted against logs in panel folders: the edges of days and windows, names and
// patterns, missing months, outages and the clock changes.
#include <gtest/gtest.h>

#include <array>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "base/cp1250.h"
#include "campaign/booking.h"
#include "campaign/as_of_day.h"
#include "campaign/calendar.h"
#include "campaign/campaign.h"
#include "campaign/client_share.h"
#include "campaign/spot_pattern.h"
#include "tests/campaign/campaign_fixture.h"

namespace {

TEST_F(CampaignTest, CountsOnlyBookedDaysInsideTheWindow) {
    WriteLog("p1", "2026-10",
             Play("14.10.2026", "10:00:00", "a.avi") + Play("15.10.2026", "07:59:59", "a.avi") +
                 Play("15.10.2026", "08:00:00", "a.avi") + Play("15.10.2026", "16:59:59", "a.avi") +
                 Play("15.10.2026", "17:00:00", "a.avi") + Play("16.10.2026", "12:00:00", "a.avi") +
                 Play("17.10.2026", "12:00:00", "a.avi"));
    const CampaignResult result = Evaluate("K;C;a.avi;15.10.2026;16.10.2026;8:00;17:00;2;\r\n");
    ASSERT_EQ(result.figures.size(), 1u);
    EXPECT_EQ(result.figures[0].delivered, (std::vector<uint32_t>{2, 1}));
    ASSERT_EQ(result.shortDays.size(), 1u);
    EXPECT_EQ(result.shortDays[0].day, DayNumber({2026, 10, 16}));
    ASSERT_EQ(result.logs.size(), 1u);
    EXPECT_EQ(result.logs[0].first.day, 14);
    EXPECT_EQ(result.logs[0].last.day, 17);
}

TEST_F(CampaignTest, ACampaignAcrossAMonthEndReadsBothLogs) {
    WriteLog("p1", "2026-10", Play("31.10.2026", "23:59:59", "a.avi"));
    WriteLog("p1", "2026-11",
             Play("01.11.2026", "00:00:00", "a.avi") + Play("01.11.2026", "00:00:01", "a.avi"));
    const CampaignResult result = Evaluate("K;C;a.avi;31.10.2026;1.11.2026;;;1;\r\n");
    EXPECT_EQ(result.figures[0].delivered, (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(result.logs.size(), 2u);
    EXPECT_TRUE(result.missingLogs.empty());
}

TEST_F(CampaignTest, SpotsAreComparedAsWindowsComparesFileNames) {
    const struct {
        const char* spot;
        const char* name;
        bool counted;
    } cases[] = {
        {"SPOT.avi", "C:\\Panel\\spot.AVI", true},
        {"spot.avi", "d:/a/spot.avi", true},
        {"spot.avi", "C:\\Panel\\spot.avi.bak", false},
        {"čerstvé*", "C:\\Panel\\ČERSTVÉ pečivo.avi", true},
        {"*pečivo*", "C:\\Panel\\PEČIVO.avi", true},
        {"s*x*.avi", "C:\\x\\sat.avi", false},
        {"C:\\Panel\\spot.avi", "c:\\panel\\SPOT.avi", true},
        {"C:\\Panel\\spot.avi", "D:\\Panel\\spot.avi", false},
        {"*\\Jaro\\*", "C:\\Panel\\Jaro\\a.avi", true},
    };
    for (const auto& c : cases) {
        WriteLog("p1", "2026-10", Utf8ToCp1250(Play("15.10.2026", "10:00:00", c.name)));
        const CampaignResult result =
            Evaluate(std::string("K;C;") + c.spot + ";15.10.2026;15.10.2026;;;1;\r\n");
        EXPECT_EQ(result.figures[0].delivered[0], c.counted ? 1u : 0u) << c.spot << " " << c.name;
    }
}

TEST_F(CampaignTest, AMissingMonthIsAFindingWithZeroPlays) {
    WriteLog("p1", "2026-10", Play("31.10.2026", "12:00:00", "a.avi"));
    const CampaignResult result = Evaluate("K;C;a.avi;31.10.2026;1.11.2026;;;1;\r\n");
    ASSERT_EQ(result.missingLogs.size(), 1u);
    EXPECT_EQ(result.missingLogs[0].month, 11u);
    EXPECT_EQ(result.figures[0].delivered, (std::vector<uint32_t>{1, 0}));
    ASSERT_EQ(result.shortDays.size(), 1u);
    EXPECT_TRUE(result.shortDays[0].logMissing);
    for (const Outage& outage : result.outages) {
        EXPECT_EQ(outage.day, DayNumber({2026, 10, 31}));  // no data is no outage
    }
}

TEST_F(CampaignTest, AFolderNamedLikeTheLogCannotBeRead) {
    fs::create_directories(root_ / "p1/log/AVI_2026-10.txt");
    const CampaignOutcome outcome = Count("K;C;a.avi;31.10.2026;31.10.2026;;;1;\r\n");
    const auto* unreadable = std::get_if<UnreadableLog>(&outcome);
    ASSERT_NE(unreadable, nullptr);
    EXPECT_NE(unreadable->path.find("AVI_2026-10.txt"), std::string::npos);
}

std::vector<std::string> OutageTexts(const CampaignResult& result) {
    std::vector<std::string> texts;
    for (const Outage& outage : result.outages) {
        texts.push_back(IsoDateText(outage.day) + " " + std::to_string(outage.start) + "-" +
                        std::to_string(outage.end) + " " + std::to_string(outage.seconds));
    }
    return texts;
}

TEST_F(CampaignTest, OutagesAreSilencesOfMoreThanTheGapInsideTheWindow) {
    // 8:00 to 8:59 every minute, then 9:20, 9:35, 9:50; the window 7:40 to 10:00.
    WriteLog("p1", "2026-10",
             PlaysEvery("15.10.2026", 480, 539, 1) + PlaysEvery("15.10.2026", 560, 590, 15));
    const CampaignResult result = Evaluate("K;C;a.avi;15.10.2026;15.10.2026;7:40;10:00;1;\r\n");
    EXPECT_EQ(OutageTexts(result), (std::vector<std::string>{"2026-10-15 27600-28800 1200",
                                                             "2026-10-15 32350-33600 1250"}));
}

TEST_F(CampaignTest, TheClockChangesNeitherMakeNorHideAnOutage) {
    // 1:55 and 3:05 on the day the hour is skipped: 10 minutes really.
    WriteLog("p1", "2026-03",
             PlaysEvery("29.03.2026", 60, 115, 5) + PlaysEvery("29.03.2026", 185, 240, 5));
    // Plays until 2:50, then from 3:02: 12 minutes on the clock, 72 on the day the hour comes
    // twice unless the log holds its second pass (2:00 to 2:50 again, as in 2027).
    const std::string firstPass = PlaysEvery("25.10.2026", 60, 170, 10);
    WriteLog("p1", "2026-10",
             PlaysEvery("24.10.2026", 60, 170, 10) + PlaysEvery("24.10.2026", 182, 240, 10) +
                 firstPass + PlaysEvery("25.10.2026", 182, 240, 10));
    WriteLog("p1", "2027-10",
             PlaysEvery("31.10.2027", 60, 170, 10) + PlaysEvery("31.10.2027", 120, 170, 10) +
                 PlaysEvery("31.10.2027", 182, 240, 10));
    const CampaignResult result = Evaluate(
        "K;C;a.avi;29.3.2026;29.3.2026;1:00;4:00;1;\r\nK;C;a.avi;24.10.2026;25.10.2026;1:00;4:00;1;"
        "\r\n"
        "K;C;a.avi;31.10.2027;31.10.2027;1:00;4:00;1;\r\n");
    EXPECT_EQ(OutageTexts(result), std::vector<std::string>{"2026-10-25 10210-10920 4310"});
    // Both passes of the repeated hour count.
    EXPECT_EQ(result.figures[2].delivered, (std::vector<uint32_t>{24}));
}

TEST_F(CampaignTest, OverlappingLinesCountAPlayForBothAndAreNamed) {
    WriteLog("p1", "2026-10", Play("15.10.2026", "10:00:00", "spot.avi"));
    WriteLog("p2", "2026-10", Play("15.10.2026", "10:00:00", "spot.avi"));
    const CampaignResult result = Evaluate(
        "K;C;spot*;15.10.2026;15.10.2026;;;1;\r\nK;C;*.avi;15.10.2026;15.10.2026;9:00;11:00;1;"
        "p2\r\n"
        "K;C;jine.avi;15.10.2026;15.10.2026;;;1;p3\r\n",
        {"p1", "p2"});
    ASSERT_EQ(result.figures.size(), 3u);  // line 1 on both panels, line 2 on p2
    EXPECT_EQ(result.figures[2].delivered[0], 1u);
    ASSERT_EQ(result.overlaps.size(), 1u);
    EXPECT_EQ(result.overlaps[0].sharedPlays, 1u);
    EXPECT_EQ(result.linesWithoutPanel, std::vector<size_t>{2});
}

// Many lines of overlapping spots, days, windows and panels on three panels: each pair's shared
// plays as a plain count of every play with every line gives them, summed over the panels.
TEST_F(CampaignTest, ManyOverlappingLinesShareWhatAPlainCountOfPairsSays) {
    const char* const spots[] = {"spot*", "*.avi", "spot_1.avi", "*_2*", "*.AVI", "*"};
    const char* const names[] = {"spot_1.avi", "SPOT_2.AVI", "x_2.avi", "C:\\a\\spot_3.avi"};
    const char* const panels[] = {"", "p1", "p2"};
    std::string rows, logs[3];
    for (int l = 0; l < 40; ++l) {
        const int first = 1 + l % 7, from = (l * 37) % 8;
        rows += "K;C;" + std::string(spots[l % 6]) + ";" + std::to_string(first) + ".10.2026;" +
                std::to_string(first + (l * 3) % 6) + ".10.2026;" + std::to_string(from) + ":00;" +
                std::to_string(from + 8 + l % 9) + ":00;1;" + panels[l % 3] + "\r\n";
    }
    for (int i = 0; i < 3000; ++i) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%02d.10.2026\t%02d:%02d:00", 1 + (i * 7) % 12,
                      (i * 5) % 24, (i * 13) % 60);
        logs[i % 3] += std::string(stamp) + "\tP\t" + names[(i / 3) % 4] + "\t10\r\n";
    }
    for (int p = 0; p < 3; ++p) {
        WriteLog("p" + std::to_string(p), "2026-10", logs[p]);
    }
    const CampaignResult result = Evaluate(rows, {"p0", "p1", "p2"});

    std::map<std::pair<size_t, size_t>, uint64_t> plain;
    for (int p = 0; p < 3; ++p) {
        for (size_t i = p; i < 3000; i += 3) {
            const auto day = DayNumber({2026, 10, static_cast<uint16_t>(1 + (i * 7) % 12)});
            const int hour = static_cast<int>(i * 5 % 24), minute = static_cast<int>(i * 13 % 60);
            std::vector<size_t> counting;
            for (size_t l = 0; l < lines_.size(); ++l) {
                const BookingLine& line = lines_[l];
                if (day >= line.firstDay && day <= line.lastDay && InWindow(line, hour, minute) &&
                    (line.panel.empty() || line.panel == "p" + std::to_string(p)) &&
                    SpotPattern(line.spot).Matches(names[(i / 3) % 4])) {
                    for (const size_t earlier : counting) {
                        ++plain[{earlier, l}];
                    }
                    counting.push_back(l);
                }
            }
        }
    }
    std::map<std::pair<size_t, size_t>, uint64_t> shared;
    for (size_t o = 0; o < result.overlaps.size(); ++o) {
        const BookingOverlap& overlap = result.overlaps[o];
        if (o > 0) {
            const BookingOverlap& before = result.overlaps[o - 1];
            EXPECT_LT(std::make_pair(before.first, before.second),
                      std::make_pair(overlap.first, overlap.second));
        }
        if (overlap.sharedPlays > 0) {
            shared[{overlap.first, overlap.second}] = overlap.sharedPlays;
        }
    }
    EXPECT_GT(plain.size(), 50u);
    EXPECT_EQ(shared, plain);
}

TEST_F(CampaignTest, DaysAfterTheAsOfDayArePendingAndNeedNoLog) {
    WriteLog("p1", "2026-10",
             PlaysEvery("10.10.2026", 600, 600, 1) + PlaysEvery("14.10.2026", 600, 600, 1) +
                 PlaysEvery("15.10.2026", 600, 600, 1));
    // Before, across and after 15.10., and a line whose November has no log yet.
    const CampaignResult result = Evaluate(
        "K;C;a.avi;10.10.2026;12.10.2026;;;1;\r\nK;C;a.avi;14.10.2026;17.10.2026;;;1;\r\n"
        "K;C;a.avi;20.10.2026;22.10.2026;;;1;\r\nK;C;a.avi;1.11.2026;2.11.2026;;;1;\r\n",
        {"p1"}, 15, DayNumber({2026, 10, 15}));
    const struct {
        std::vector<uint32_t> delivered;
        uint32_t daysLeft;
    } expected[] = {{{1, 0, 0}, 0}, {{1, 1}, 2}, {{}, 3}, {{}, 2}};
    ASSERT_EQ(result.figures.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(result.figures[i].delivered, expected[i].delivered) << i;
        EXPECT_EQ(result.figures[i].daysLeft, expected[i].daysLeft) << i;
    }
    EXPECT_TRUE(result.missingLogs.empty());
    EXPECT_EQ(result.shortDays.size(), 2u);  // 11. and 12.10., never a pending day
    EXPECT_EQ(result.asOfDay, DayNumber({2026, 10, 15}));
}

TEST_F(CampaignTest, DaysAfterTheLogEndsAreShortForThatReasonNotOutages) {
    WriteLog("p1", "2026-10",
             PlaysEvery("14.10.2026", 480, 1200, 10) + PlaysEvery("15.10.2026", 480, 720, 10));
    const CampaignResult result = Evaluate("K;C;a.avi;14.10.2026;20.10.2026;8:00;20:00;70;\r\n",
                                           {"p1"}, 15, DayNumber({2026, 10, 17}));
    EXPECT_TRUE(result.outages.empty());
    EXPECT_TRUE(result.silentDays.empty());
    ASSERT_EQ(result.shortDays.size(), 3u);  // 15., 16. and 17.10.
    for (const ShortDay& day : result.shortDays) {
        EXPECT_TRUE(day.afterLogEnd);
        EXPECT_FALSE(day.noPlayAtAll);
    }
    ASSERT_EQ(result.logEnds.size(), 1u);
    EXPECT_EQ(result.logEnds[0].day, DayNumber({2026, 10, 15}));
    EXPECT_EQ(result.logEnds[0].second, 12 * 3600);
}

// "" removes it.
void SetSourceDateEpoch(const char* value) {
#ifdef _WIN32
    _putenv_s("SOURCE_DATE_EPOCH", value);
#else
    (*value != '\0') ? setenv("SOURCE_DATE_EPOCH", value, 1) : unsetenv("SOURCE_DATE_EPOCH");
#endif
}

TEST(AsOfDay, TheDefaultIsTheDayBeforeSourceDateEpoch) {
    const struct {
        const char* epoch;
        CivilDate yesterday;
    } cases[] = {{"1796112000", {2026, 11, 30}}, {"1772366400", {2026, 2, 28}}};
    for (const auto& c : cases) {
        SetSourceDateEpoch(c.epoch);
        EXPECT_EQ(DefaultAsOfDay(), DayNumber(c.yesterday)) << c.epoch;
    }
    SetSourceDateEpoch("");
}

TEST(MakeGood, TheBookedRatePlusTheShortfallSpreadOverTheDaysLeft) {
    const struct {
        std::vector<uint32_t> delivered;
        uint32_t daysLeft;
        uint64_t perDay;
    } cases[] = {
        {{10, 10}, 3, 0},    {{5, 5}, 3, 14}, {{9}, 1, 11}, {{0}, 0, 0},  // nothing left to plan
        {{25, 0}, 2, 0},  // the bonus of one day covers the other
        {{0, 0, 0}, 30, 11},
    };
    BookingLine line{1, "K", "C", "a", "", 0, 0, {0, 0}, {24, 0}, 10, ""};
    for (const auto& c : cases) {
        EXPECT_EQ(MakeGoodPerDay(line, {0, 0, c.delivered, c.daysLeft}), c.perDay)
            << c.delivered.size() << " " << c.daysLeft;
    }
}

TEST_F(CampaignTest, EachLogIsCheckedForOneSpotAtATime) {
    const std::string lines[] = {
        Play("10.10.2026", "10:00:00", "a"), Play("10.10.2026", "10:00:09", "b"),  // a second
        Play("10.10.2026", "10:00:17", "c"),                                       // overlap
        Play("10.10.2026", "10:00:17", "c"),                                       // twice
        Play("10.10.2026", "09:00:00", "d"),                                       // back
        Play("11.10.2026", "09:00:00", "e"),
        // October's repeated hour: back to 2:05 and within it, no finding.
        Play("25.10.2026", "02:50:00", "f"), Play("25.10.2026", "02:05:00", "g"),
        Play("25.10.2026", "02:10:00", "h"), Play("25.10.2026", "02:08:00", "i"),
        Play("26.10.2026", "03:00:00", "j"), Play("26.10.2026", "02:30:00", "k"),  // back
    };
    std::string log;
    for (const std::string& line : lines) {
        log += line;
    }
    WriteLog("p1", "2026-10", log);
    const CampaignResult result = Evaluate("K;C;x;1.10.2026;31.10.2026;;;1;\r\n");
    ASSERT_EQ(result.logs.size(), 1u);
    const int32_t day = DayNumber({2026, 10, 10});
    const struct {
        LogFindingKind kind;
        uint64_t count;
        int32_t second;
    } expected[] = {{LogFindingKind::kOverlap, 1, 36017},
                    {LogFindingKind::kClockBack, 2, 32400},
                    {LogFindingKind::kDuplicate, 1, 36017}};
    for (const auto& e : expected) {
        const LogFinding& finding = result.logs[0].findings[static_cast<int>(e.kind)];
        EXPECT_EQ(finding.count, e.count) << static_cast<int>(e.kind);
        EXPECT_EQ(finding.worstDay, day) << static_cast<int>(e.kind);
        EXPECT_EQ(finding.firstSecond, e.second) << static_cast<int>(e.kind);
    }
    EXPECT_FALSE(IsPlausible(result.logs[0]));
}

TEST_F(CampaignTest, PlaysAfterTheProofsMomentAreInTheFutureAndCountAllTheSame) {
    // 11.10.2026 is on summer time (UTC+2), 26.10.2026 on winter time (UTC+1).
    WriteLog("p1", "2026-10",
             Play("10.10.2026", "10:00:00", "a") + Play("11.10.2026", "10:00:00", "a") +
                 Play("11.10.2026", "10:00:30", "a") + Play("26.10.2026", "09:00:00", "a"));
    const int64_t tenOnThe11th = int64_t{DayNumber({2026, 10, 11})} * 86400 + 8 * 3600;
    const int64_t nineOnThe26th = int64_t{DayNumber({2026, 10, 26})} * 86400 + 8 * 3600;
    const struct {
        int64_t madeAt;
        uint64_t future;
        int32_t firstDay, firstSecond;
    } cases[] = {
        {INT64_MAX, 0, 0, 0},
        {tenOnThe11th, 2, DayNumber({2026, 10, 11}), 36030},  // the play at the moment is not
        {tenOnThe11th - 1, 3, DayNumber({2026, 10, 11}), 36000},
        {nineOnThe26th - 1, 1, DayNumber({2026, 10, 26}), 32400},
        {nineOnThe26th, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.madeAt);
        madeAt_ = c.madeAt;
        const CampaignResult result = Evaluate("K;C;a;1.10.2026;31.10.2026;;;1;\r\n");
        ASSERT_EQ(result.logs.size(), 1u);
        const LogFinding& finding =
            result.logs[0].findings[static_cast<int>(LogFindingKind::kFuture)];
        EXPECT_EQ(finding.count, c.future);
        EXPECT_EQ(IsPlausible(result.logs[0]), c.future == 0);
        if (c.future > 0) {
            EXPECT_EQ(finding.worstDay, c.firstDay);
            EXPECT_EQ(finding.firstSecond, c.firstSecond);
        }
        uint64_t delivered = 0;
        for (const uint32_t plays : result.figures[0].delivered) {
            delivered += plays;
        }
        EXPECT_EQ(delivered, 4u);
    }
}

TEST_F(CampaignTest, EachLineCountsItsPlaysByTheHourTheyStartedIn) {
    // Line 1 books the whole day, line 2 8:00-10:00; October's repeated hour counts both passes.
    WriteLog("p1", "2026-10",
             Play("24.10.2026", "03:00:00", "a") + Play("24.10.2026", "07:59:59", "a") +
                 Play("24.10.2026", "08:00:00", "a") + Play("24.10.2026", "09:59:00", "a") +
                 Play("24.10.2026", "10:00:00", "a") + Play("25.10.2026", "02:40:00", "a") +
                 Play("25.10.2026", "02:10:00", "a") + Play("25.10.2026", "23:59:59", "a"));
    const CampaignResult result = Evaluate(
        "K;C;a;24.10.2026;25.10.2026;;;1;\r\nK;C;a;24.10.2026;25.10.2026;8:00;10:00;1;\r\n");
    ASSERT_EQ(result.figures.size(), 2u);
    const struct {
        size_t figures;
        std::vector<std::pair<size_t, uint32_t>> hours;  // the hours with plays
    } cases[] = {
        {0, {{2, 2}, {3, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}, {23, 1}}},
        {1, {{8, 1}, {9, 1}}},
    };
    for (const auto& c : cases) {
        std::array<uint32_t, 24> expected{};
        for (const auto& [hour, plays] : c.hours) {
            expected[hour] = plays;
        }
        EXPECT_EQ(result.figures[c.figures].playsPerHour, expected) << c.figures;
    }
}

TEST_F(CampaignTest, AClientSeesOnlyTheOutagesInsideItsOwnWindows) {
    // Silent from 9:30 to 10:40; A books 8:00-10:00, B 10:00-12:00.
    WriteLog("p1", "2026-10",
             PlaysEvery("15.10.2026", 480, 570, 5) + PlaysEvery("15.10.2026", 640, 720, 5));
    const CampaignResult result = Evaluate(
        "A;C;a.avi;15.10.2026;15.10.2026;8:00;10:00;1;\r\nB;D;b.avi;15.10.2026;15.10.2026;10:00;"
        "12:00;1;\r\n");
    EXPECT_EQ(OutageTexts(result), std::vector<std::string>{"2026-10-15 34210-38400 4190"});
    EXPECT_EQ(ClientsOf(lines_), (std::vector<std::string>{"A", "B"}));
    const ClientShare a = ShareOf(lines_, panels_, result, "A", 15);
    EXPECT_EQ(OutageTexts(a.result), std::vector<std::string>{"2026-10-15 34210-36000 1790"});
    ASSERT_EQ(a.lines.size(), 1u);
    EXPECT_EQ(a.result.figures.size(), 1u);
    const ClientShare b = ShareOf(lines_, panels_, result, "B", 15);
    EXPECT_EQ(OutageTexts(b.result), std::vector<std::string>{"2026-10-15 36000-38400 2400"});
    EXPECT_EQ(b.result.shortDays[0].outages, std::vector<size_t>{0});
    EXPECT_EQ(b.result.logs.size(), 1u);
    EXPECT_EQ(b.lines[0].client, "B");
}

// Records what the count reports; stops once `stopAfter` bytes have been read.
class RecordedProgress : public CampaignProgress {
public:
    explicit RecordedProgress(uint64_t stopAfter) : stopAfter_(stopAfter) {}
    void BytesRead(uint64_t read, uint64_t total) override {
        lastRead = std::max<uint64_t>(lastRead, read);
        lastTotal = total;
    }
    bool StopRequested() override { return lastRead >= stopAfter_; }

    std::atomic<uint64_t> lastRead{0};
    std::atomic<uint64_t> lastTotal{0};

private:
    uint64_t stopAfter_;
};

TEST_F(CampaignTest, ProgressGoesByTheBytesOfTheLogsAndAStopLeavesNoResult) {
    const std::string october = Play("14.10.2026", "10:00:00", "a.avi");
    const std::string november = Play("02.11.2026", "10:00:00", "a.avi") + october;
    WriteLog("p1", "2026-10", october);
    WriteLog("p2", "2026-11", november);
    const std::string booking = "K;C;a.avi;14.10.2026;2.11.2026;;;1;\r\n";

    RecordedProgress whole(UINT64_MAX);
    const CampaignOutcome outcome = Count(booking, {"p1", "p2"}, 15, kEveryBookedDay, &whole);
    const auto* counted = std::get_if<CampaignResult>(&outcome);
    ASSERT_NE(counted, nullptr);
    EXPECT_EQ(counted->logs.size(), 2u);
    EXPECT_EQ(whole.lastTotal, october.size() + november.size());  // each panel misses a month
    EXPECT_EQ(whole.lastRead, whole.lastTotal);

    RecordedProgress stopped(0);
    EXPECT_TRUE(std::holds_alternative<CampaignStopped>(
        Count(booking, {"p1", "p2"}, 15, kEveryBookedDay, &stopped)));
}

}  // namespace
