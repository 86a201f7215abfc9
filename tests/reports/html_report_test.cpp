#include "reports/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logdata/month_load.h"

namespace {

// The non-zero bars as "d<day>=<plays>" and "h<hour>=<plays>", then the plays no bar shows.
std::string Bars(const PlayCounts& counts) {
    std::string text;
    for (int i = 0; i < 32 + 24; ++i) {
        const uint32_t plays = i < 32 ? counts.perDay[i] : counts.perHour[i - 32];
        if (plays != 0) {
            text += (i < 32 ? "d" : "h") + std::to_string(i < 32 ? i : i - 32) + "=" +
                    std::to_string(plays) + " ";
        }
    }
    return text + "out=" + std::to_string(counts.notInMonth) +
           " late=" + std::to_string(counts.badHour);
}

// What a load with the filter keeps, counted for the month; each play is "dd.mm.yyyy hh:mm:ss"
// of an animation of its own, so that odd dates never meet the sort.
TEST(PlayCounts, DaysAndHoursAtTheMonthsEdges) {
    const struct {
        ReportMonth month;
        ScanFilter filter;
        std::vector<std::string> plays;
        std::string bars;
    } cases[] = {
        // clang-format off
        {{2026, 11}, {}, {"01.11.2026 00:00:00", "30.11.2026 23:59:59"},
         "d1=1 d30=1 h0=1 h23=1 out=0 late=0"},
        {{2026, 11}, {}, {"31.11.2026 10:00:00", "01.12.2026 10:00:00", "01.11.2025 10:00:00"},
         "h10=3 out=3 late=0"},
        {{2024, 2}, {}, {"29.02.2024 23:59:59"}, "d29=1 h23=1 out=0 late=0"},
        {{2023, 2}, {}, {"29.02.2023 23:59:59"}, "h23=1 out=1 late=0"},
        {{2026, 13}, {}, {"31.13.2026 01:00:00"}, "d31=1 h1=1 out=0 late=0"},
        {{2026, 11}, {}, {"02.11.2026 24:00:00"}, "d2=1 out=0 late=1"},
        {{2015, 3}, {15},
         {"14.03.2015 10:00:00", "15.03.2015 11:00:00", "15.03.2015 11:59:59",
          "16.03.2015 12:00:00"},
         "d15=2 h11=2 out=0 late=0"},
        {{2015, 3}, {0, true, 9, 30, 17, 15},
         {"01.03.2015 09:29:59", "01.03.2015 09:30:00", "01.03.2015 12:00:00",
          "02.03.2015 17:14:59", "02.03.2015 17:15:00"},
         "d1=2 d2=1 h9=1 h12=1 h17=1 out=0 late=0"},
        {{2015, 3}, {31, true, 23, 0, 24, 0}, {"31.03.2015 22:59:59", "31.03.2015 23:59:59"},
         "d31=1 h23=1 out=0 late=0"},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::string log;
        for (const std::string& play : c.plays) {
            log += play.substr(0, 10) + "\t" + play.substr(11) + "\tX\t" + play + "\t10\r\n";
        }
        PlaybackLog playbackLog;
        playbackLog.filter = c.filter;
        ASSERT_EQ(LoadSortAndGroupBytes(log, playbackLog).status, LoadStatus::kLoaded) << log;
        PlayCounts counts{};
        CountPlays(playbackLog.records, playbackLog.recordCount, c.month, counts);
        EXPECT_EQ(Bars(counts), c.bars) << log;
    }
}

}  // namespace
