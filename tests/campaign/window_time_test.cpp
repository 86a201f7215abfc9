// How long a panel was on in the booked windows and how much of that time the spot held.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "campaign/window_time.h"
#include "tests/campaign/campaign_fixture.h"

namespace {

class WindowTimeTest : public CampaignTest {};

struct WindowCase {
    const char* what;
    std::string log;      // October 2026
    const char* booking;  // one line
    int64_t windowSeconds, outageSeconds;
    uint32_t daysUnknown;
};

TEST_F(WindowTimeTest, TheWindowTimeLeavesOutWhatTheLogsDoNotTellAndCountsOnlyOutages) {
    // The log goes on the next day, so that the whole window is told.
    const std::string nextDay = Play("16.10.2026", "00:00:00", "a.avi");
    const std::string untilTen = PlaysEvery("15.10.2026", 496, 599, 1) + nextDay;
    const WindowCase cases[] = {
        {"a silence of exactly the gap is no outage",
         Play("15.10.2026", "08:00:00", "a.avi") + Play("15.10.2026", "08:15:10", "a.avi") +
             untilTen,
         "K;C;a.avi;15.10.2026;15.10.2026;8:00;10:00;1;", 7200, 0, 0},
        {"one second more is one",
         Play("15.10.2026", "08:00:00", "a.avi") + Play("15.10.2026", "08:15:11", "a.avi") +
             untilTen,
         "K;C;a.avi;15.10.2026;15.10.2026;8:00;10:00;1;", 7200, 901, 0},
        {"an outage at the window's start counts from the start",
         Play("15.10.2026", "07:50:00", "a.avi") + PlaysEvery("15.10.2026", 500, 599, 1) + nextDay,
         "K;C;a.avi;15.10.2026;15.10.2026;8:00;10:00;1;", 7200, 1200, 0},
        {"a window that ends at 24:00", PlaysEvery("15.10.2026", 1320, 1410, 1) + nextDay,
         "K;C;a.avi;15.10.2026;15.10.2026;22:00;24:00;1;", 7200, 1790, 0},
        {"a missing month and the time after the last play are left out",
         PlaysEvery("30.10.2026", 480, 599, 1) + PlaysEvery("31.10.2026", 480, 540, 1),
         "K;C;a.avi;30.10.2026;2.11.2026;8:00;10:00;1;", 7200 + 3600, 0, 2},
    };
    for (const WindowCase& c : cases) {
        WriteLog("p1", "2026-10", c.log);
        const CampaignResult result = Evaluate(std::string(c.booking) + "\r\n");
        ASSERT_EQ(result.figures.size(), 1u) << c.what;
        const WindowTime& time = result.figures[0].time;
        EXPECT_EQ(time.windowSeconds, c.windowSeconds) << c.what;
        EXPECT_EQ(time.outageSeconds, c.outageSeconds) << c.what;
        EXPECT_EQ(time.daysUnknown, c.daysUnknown) << c.what;
        ASSERT_EQ(result.panelTimes.size(), 1u);
        EXPECT_EQ(result.panelTimes[0].windowSeconds, c.windowSeconds) << c.what;
    }
}

TEST_F(WindowTimeTest, ThePanelsTimeJoinsTheWindowsOfItsLines) {
    WriteLog("p1", "2026-10",
             PlaysEvery("15.10.2026", 480, 659, 1) + Play("16.10.2026", "00:00:00", "a.avi"));
    const CampaignResult result = Evaluate(
        "K;C;a.avi;15.10.2026;15.10.2026;8:00;10:00;1;\r\n"
        "L;D;*.avi;15.10.2026;15.10.2026;9:00;11:00;1;\r\n");
    ASSERT_EQ(result.panelTimes.size(), 1u);
    EXPECT_EQ(result.panelTimes[0].windowSeconds, 3 * 3600);
    EXPECT_EQ(Availability(result.panelTimes[0]), 1.0);
    EXPECT_EQ(result.figures[1].playedSeconds, 120 * 10);
}

TEST_F(WindowTimeTest, TheShareOfTimeCountsBothPassesOfTheRepeatedHour) {
    // 1:00 to 2:50 and again 2:00 to 3:50 on the day the clock goes back: 24 plays in the
    // window 1:00 to 4:00, which lasts four hours that day.
    WriteLog("p1", "2026-10",
             PlaysEvery("25.10.2026", 60, 179, 10) + PlaysEvery("25.10.2026", 120, 239, 10) +
                 Play("26.10.2026", "00:00:00", "a.avi"));
    const CampaignResult result = Evaluate("K;C;a.avi;25.10.2026;25.10.2026;1:00;4:00;1;\r\n");
    ASSERT_EQ(result.figures.size(), 1u);
    EXPECT_EQ(result.figures[0].time.windowSeconds, 4 * 3600);
    EXPECT_EQ(result.figures[0].playedSeconds, 240);
    EXPECT_DOUBLE_EQ(*ShareOfTime(result.figures[0].playedSeconds, result.figures[0].time),
                     240.0 / (4 * 3600));
    EXPECT_EQ(Availability(result.figures[0].time), 1.0);
}

TEST_F(WindowTimeTest, ImpressionsTakeTheRowOfEachPlaysMinuteAndCountThePlaysWithoutOne) {
    // Thursday 15. 10. 2026: 360 contacts an hour to 8:30, 720 from then to 9:00, none after.
    audience_ =
        "Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\n"
        "p1;po-pá;6:00;8:30;360\r\n"
        "p1;čt;8:30;9:00;720\r\n";
    WriteLog("p1", "2026-10",
             Play("15.10.2026", "08:29:59", "a.avi") + Play("15.10.2026", "08:30:00", "a.avi") +
                 Play("15.10.2026", "09:00:00", "a.avi") +
                 Play("16.10.2026", "08:30:00", "a.avi", "20"));
    const CampaignResult result = Evaluate("K;C;a.avi;15.10.2026;16.10.2026;8:00;10:00;1;\r\n");
    ASSERT_EQ(result.figures.size(), 1u);
    // 10 s at 360 and at 720 on Thursday, nothing on Friday 8:30 (no row), nor at 9:00.
    EXPECT_DOUBLE_EQ(result.figures[0].impressions, (360.0 + 720.0) * 10 / 3600);
    EXPECT_EQ(result.figures[0].playsWithoutAudience, 2u);
}

TEST_F(WindowTimeTest, WithoutAudienceDataNoPlayIsCountedAsWithoutOne) {
    WriteLog("p1", "2026-10", Play("15.10.2026", "08:30:00", "a.avi"));
    const CampaignResult result = Evaluate("K;C;a.avi;15.10.2026;15.10.2026;8:00;10:00;1;\r\n");
    ASSERT_EQ(result.figures.size(), 1u);
    EXPECT_EQ(result.figures[0].impressions, 0);
    EXPECT_EQ(result.figures[0].playsWithoutAudience, 0u);
}

}  // namespace
