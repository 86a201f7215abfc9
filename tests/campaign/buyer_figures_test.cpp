// The figures a media buyer reads beside the plays: a campaign's calendar days left, whether the
// clock changes in a period, one line's screens by town, and who issues the proof.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "campaign/issuer.h"
#include "campaign/line_figures.h"
#include "campaign/markets.h"

namespace {

BookingLine Line(int32_t first, int32_t last, const char* campaign = "C") {
    return {2, "K", campaign, "a.avi", "", first, last, {8, 0}, {20, 0}, 5};
}

TEST(CalendarDaysLeft, EachDayStillBookedCountsOnceHoweverManyLinesHaveIt) {
    const int32_t nov = DayNumber({2026, 11, 1});
    struct Case {
        const char* what;
        std::vector<BookingLine> lines;
        uint32_t daysLeft;
    } cases[] = {
        {"one line", {Line(nov, nov + 29)}, 10},
        {"two lines of the same days", {Line(nov, nov + 29), Line(nov, nov + 29)}, 10},
        {"overlapping lines", {Line(nov, nov + 24), Line(nov + 22, nov + 34)}, 15},
        {"a gap between lines", {Line(nov, nov + 21), Line(nov + 25, nov + 26)}, 4},
        {"a line not begun", {Line(nov + 40, nov + 41)}, 2},
        {"every line over", {Line(nov, nov + 19), Line(nov, nov + 5)}, 0},
    };
    for (const Case& c : cases) {
        std::vector<size_t> all;
        for (size_t l = 0; l < c.lines.size(); ++l) {
            all.push_back(l);
        }
        EXPECT_EQ(CalendarDaysLeft(c.lines, all, nov + 19), c.daysLeft) << c.what;
    }
}

TEST(ClockChangesWithin, OnlyAPeriodHoldingAChangeDay) {
    const int32_t octoberChange = DayNumber({2026, 10, 25});
    EXPECT_TRUE(ClockChangesWithin(octoberChange, octoberChange));
    EXPECT_TRUE(ClockChangesWithin(DayNumber({2026, 3, 1}), DayNumber({2026, 3, 31})));
    EXPECT_FALSE(ClockChangesWithin(octoberChange + 1, DayNumber({2027, 3, 27})));
    EXPECT_FALSE(ClockChangesWithin(DayNumber({2026, 11, 1}), DayNumber({2026, 11, 30})));
    EXPECT_TRUE(ClockChangesWithin(DayNumber({2026, 11, 1}), DayNumber({2028, 1, 1})));
}

TEST(FiguresByMarket, OneLinesFiguresCountOnlyItsOwnPanels) {
    const int32_t nov = DayNumber({2026, 11, 1});
    const std::vector<BookingLine> lines = {Line(nov, nov + 1), Line(nov, nov + 1, "D")};
    CampaignResult result;
    result.figures = {{0, 0, {5, 5}}, {0, 1, {0, 0}}, {1, 2, {9, 9}}};
    const std::vector<std::string> towns = {"Brno", "Brno", "Zlín"};
    const std::vector<MarketFigures> first = FiguresByMarket(lines, result, towns, {0, 1});
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].town, "Brno");
    EXPECT_EQ(first[0].screensBooked, 2u);
    EXPECT_EQ(first[0].screensDelivered, 1u);  // a panel that never played the spot
    EXPECT_EQ(first[0].booked, 20u);
    EXPECT_EQ(first[0].delivered, 10u);
    EXPECT_TRUE(first[1].total);
    EXPECT_EQ(FiguresByMarket(lines, result, towns, {2}).front().town, "Zlín");
}

TEST(Issuer, ReadsItsLinesInEitherEncodingAndSkipsEmptyAndCommentLines) {
    const std::vector<std::string> expected = {Utf8ToCp1250("Reklamní panely Morava s.r.o."),
                                               Utf8ToCp1250("IČO 12345678"),
                                               Utf8ToCp1250("Náměstí Svobody 1, Brno")};
    const std::string utf8 =
        "Reklamní panely Morava s.r.o.\r\n  IČO 12345678 \r\n\r\n# interní\nNáměstí Svobody 1, "
        "Brno";
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8},
        {"Windows-1250", Utf8ToCp1250(utf8)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIssuer(c.bytes), expected) << c.what;
    }
    EXPECT_TRUE(ParseIssuer("\xEF\xBB\xBF\r\n").empty());
}

}  // namespace
