// One log counted in memory into a panel's plan: each line's plays per day and the plays that
// lines shared, against a plain count of every play with every line.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "campaign/booking.h"
#include "campaign/calendar.h"
#include "campaign/log_tally.h"
#include "campaign/panel_plan.h"
#include "campaign/spot_pattern.h"
#include "logdata/byte_source.h"
#include "logdata/line_reading.h"
#include "tests/logdata/random.h"

namespace {

struct Play {
    int32_t day, minute;
    std::string name;
};

const char* const kNames[] = {"C:\\Anim\\spot_001.avi", "spot_002.avi", "D:\\x\\SPOT_010.AVI",
                              "pečivo.avi", "C:\\Anim\\spot_011.avi"};
const char* const kSpots[] = {"spot_0*",    "*.avi", "spot_001.avi", "*0*", "SPOT_01*.avi",
                              "*ečivo.avi", "*",     "C:\\Anim\\*"};
const int32_t kFirstDay = DayNumber({2026, 10, 20});

std::vector<BookingLine> RandomLines(Random& random, size_t count) {
    std::vector<BookingLine> lines;
    for (size_t i = 0; i < count; ++i) {
        const auto from = static_cast<int32_t>(random.Below(20 * 60));
        const auto to = from + 1 + static_cast<int32_t>(random.Below(24 * 60 - from));
        const auto first = kFirstDay + static_cast<int32_t>(random.Below(12));
        lines.push_back({static_cast<int32_t>(i + 2), "K", "C",
                         kSpots[random.Below(std::size(kSpots))], "", first,
                         first + static_cast<int32_t>(random.Below(10)),
                         ClockTime{from / 60, from % 60}, ClockTime{to / 60, to % 60}, 1});
    }
    return lines;
}

std::vector<Play> RandomPlays(Random& random, size_t count) {
    std::vector<Play> plays;
    for (size_t i = 0; i < count; ++i) {
        plays.push_back({kFirstDay + static_cast<int32_t>(random.Below(24)),
                         static_cast<int32_t>(random.Below(24 * 60)),
                         kNames[random.Below(std::size(kNames))]});
    }
    return plays;
}

std::string LogOf(const std::vector<Play>& plays) {
    std::string log;
    for (const Play& play : plays) {
        const CivilDate date = DateOfDay(play.day);
        char line[96];
        std::snprintf(line, sizeof line, "%02u.%02u.%04u\t%02d:%02d:00\tP\t", date.day, date.month,
                      date.year, play.minute / 60, play.minute % 60);
        log += line + play.name + "\t10\r\n";
    }
    return log;
}

bool Counts(const BookingLine& line, const Play& play, int32_t asOfDay) {
    return play.day >= line.firstDay && play.day <= std::min(line.lastDay, asOfDay) &&
           InWindow(line, play.minute / 60, play.minute % 60) &&
           SpotPattern(line.spot).Matches(play.name);
}

TEST(LogTally, CountsEveryLineAndSharedPairAsAPlainCountOfEveryPlayDoes) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        Random random(seed);
        const std::vector<BookingLine> lines = RandomLines(random, 2 + random.Below(12));
        const std::vector<Play> plays = RandomPlays(random, 600);
        const int32_t asOfDay = kFirstDay + 15;
        const std::vector<PanelPlan> plans = PlanPanels(lines, {{"p", ""}}, asOfDay);
        const PanelPlan& plan = plans[0];
        LogTally tally(plan, 900);
        ASSERT_TRUE(
            ReadLines(*MemorySource(LogOf(plays)), 0, LogOf(plays).size(), true, tally).empty());

        std::map<std::pair<size_t, int32_t>, uint32_t> counts;  // line, day
        std::map<std::pair<size_t, size_t>, uint64_t> pairs;    // booking lines a < b
        for (const Play& play : plays) {
            std::vector<size_t> counting;
            for (size_t l = 0; l < lines.size(); ++l) {
                if (Counts(lines[l], play, asOfDay)) {
                    ++counts[{l, play.day}];
                    for (const size_t earlier : counting) {
                        ++pairs[{earlier, l}];
                    }
                    counting.push_back(l);
                }
            }
        }
        for (size_t l = 0; l < plan.lines.size(); ++l) {
            const PanelLine& line = plan.lines[l];
            for (int32_t day = line.booking->firstDay; day <= line.lastCounted; ++day) {
                EXPECT_EQ(tally.Count(l, day), counts[std::make_pair(line.line, day)])
                    << "seed " << seed;
            }
        }
        std::map<std::pair<size_t, size_t>, uint64_t> shared;
        tally.Shared().ForEachPair([&](uint32_t a, uint32_t b, uint64_t n) {
            shared[{plan.lines[a].line, plan.lines[b].line}] += n;
        });
        EXPECT_EQ(shared, pairs) << "seed " << seed;
    }
}

}  // namespace
