#include "tests/campaign/share_by_walk.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "campaign/calendar.h"
#include "campaign/coverage.h"
#include "campaign/panel_plan.h"

namespace {

constexpr size_t kNone = SIZE_MAX;

// The client's counted days per panel: what it may see of the panels.
struct ClientDays {
    std::set<std::pair<size_t, int32_t>> days;                // panel, day
    std::set<std::tuple<size_t, uint32_t, uint32_t>> months;  // panel, year, month

    bool Has(size_t panel, int32_t day) const { return days.count({panel, day}) != 0; }
};

// The client's booked windows on a panel's day in the day's own timeline.
std::vector<Stretch> WindowsOf(const ClientShare& share, size_t panel, int32_t day) {
    const ClockChange change = ClockChangeOn(day);
    std::vector<Stretch> windows;
    for (const LineFigures& figures : share.result.figures) {
        const BookingLine& line = share.lines[figures.line];
        if (figures.panel == panel && day >= line.firstDay &&
            day < line.firstDay + static_cast<int32_t>(figures.delivered.size())) {
            windows.push_back({RealSecondOfDay(change, SecondOfDay(line.from), false),
                               RealSecondOfDay(change, SecondOfDay(line.to), true)});
        }
    }
    return windows;
}

// The parts of an outage inside the client's windows that are outages themselves.
void ClipOutage(const Outage& outage, const ClientShare& share, int32_t gapSeconds,
                std::vector<Outage>& clipped) {
    const ClockChange change = ClockChangeOn(outage.day);
    const int32_t end = outage.realStart + outage.seconds;
    std::vector<Stretch> inside;
    for (const Stretch& window : WindowsOf(share, outage.panel, outage.day)) {
        const Stretch part{std::max(window.start, outage.realStart), std::min(window.end, end)};
        if (part.start < part.end) {
            inside.push_back(part);
        }
    }
    for (const Stretch& part : JoinStretches(std::move(inside))) {
        if (part.end - part.start > gapSeconds) {
            clipped.push_back({outage.panel, outage.day, LocalSecondOfDay(change, part.start),
                               LocalSecondOfDay(change, part.end), part.end - part.start,
                               part.start});
        }
    }
}

}  // namespace

ClientShare ShareByWalk(const std::vector<BookingLine>& lines,
                        const std::vector<CampaignPanel>& panels, const CampaignResult& result,
                        const std::string& client, int32_t gapMinutes) {
    ClientShare share;
    std::vector<size_t> lineIndex(lines.size(), kNone);
    for (size_t l = 0; l < lines.size(); ++l) {
        if (lines[l].client == client) {
            lineIndex[l] = share.lines.size();
            share.lines.push_back(lines[l]);
        }
    }
    CampaignResult& mine = share.result;
    mine.asOfDay = result.asOfDay;
    ClientDays days;
    std::vector<size_t> figuresIndex(result.figures.size(), kNone);
    for (size_t f = 0; f < result.figures.size(); ++f) {
        LineFigures figures = result.figures[f];
        if (lineIndex[figures.line] == kNone) {
            continue;
        }
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            const int32_t day = lines[figures.line].firstDay + static_cast<int32_t>(i);
            const CivilDate date = DateOfDay(day);
            days.days.insert({figures.panel, day});
            days.months.insert({figures.panel, date.year, date.month});
        }
        figures.line = lineIndex[figures.line];
        figuresIndex[f] = mine.figures.size();
        mine.figures.push_back(std::move(figures));
    }
    for (const Outage& outage : result.outages) {
        if (days.Has(outage.panel, outage.day)) {
            ClipOutage(outage, share, gapMinutes * 60, mine.outages);
        }
    }
    for (const SilentDay& day : result.silentDays) {
        if (days.Has(day.panel, day.day)) {
            mine.silentDays.push_back(day);
        }
    }
    for (const MissingLog& log : result.missingLogs) {
        if (days.months.count({log.panel, log.year, log.month}) != 0) {
            mine.missingLogs.push_back(log);
        }
    }
    for (const LogEvidence& log : result.logs) {
        const bool needed = std::any_of(days.months.begin(), days.months.end(), [&](const auto& m) {
            return std::get<0>(m) == log.panel &&
                   PanelLogPath(panels[log.panel], std::get<1>(m), std::get<2>(m)) == log.path;
        });
        if (needed) {
            mine.logs.push_back(log);
        }
    }
    for (const BookingOverlap& overlap : result.overlaps) {
        if (lineIndex[overlap.first] != kNone && lineIndex[overlap.second] != kNone) {
            mine.overlaps.push_back(
                {lineIndex[overlap.first], lineIndex[overlap.second], overlap.sharedPlays});
        }
    }
    for (const size_t line : result.linesWithoutPanel) {
        if (lineIndex[line] != kNone) {
            mine.linesWithoutPanel.push_back(lineIndex[line]);
        }
    }
    for (const ShortDay& day : result.shortDays) {
        if (figuresIndex[day.figures] == kNone) {
            continue;
        }
        ShortDay shortDay = day;
        shortDay.figures = figuresIndex[day.figures];
        const BookingLine& line = share.lines[mine.figures[shortDay.figures].line];
        shortDay.outages = OutagesTouching(mine, mine.figures[shortDay.figures].panel, day.day,
                                           SecondOfDay(line.from), SecondOfDay(line.to));
        mine.shortDays.push_back(std::move(shortDay));
    }
    for (const LogEnd& end : result.logEnds) {
        if (std::any_of(mine.shortDays.begin(), mine.shortDays.end(), [&](const ShortDay& day) {
                return day.afterLogEnd && mine.figures[day.figures].panel == end.panel;
            })) {
            mine.logEnds.push_back(end);
        }
    }
    return share;
}
