#include "campaign/window_time.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

#include "campaign/calendar.h"
#include "campaign/coverage.h"

namespace {

// What the logs of one panel tell: the months without a log, and where its newest log ends.
struct PanelKnowledge {
    std::vector<std::pair<uint32_t, uint32_t>> missingMonths;
    const LogEnd* end = nullptr;

    bool Tells(int32_t day) const {
        const CivilDate date = DateOfDay(day);
        const bool missing =
            std::find(missingMonths.begin(), missingMonths.end(),
                      std::make_pair(date.year, date.month)) != missingMonths.end();
        return !missing && (end == nullptr || day <= end->day);
    }
    // Where the day's told time ends in its own timeline.
    int32_t ToldUntil(int32_t day) const {
        return end != nullptr && day == end->day
                   ? RealSecondOfDay(ClockChangeOn(day), end->second, true)
                   : INT32_MAX;
    }
};

std::vector<PanelKnowledge> KnowledgeOf(const CampaignResult& result, size_t panels) {
    std::vector<PanelKnowledge> known(panels);
    for (const MissingLog& log : result.missingLogs) {
        known[log.panel].missingMonths.push_back({log.year, log.month});
    }
    for (const LogEnd& end : result.panelEnds) {
        known[end.panel].end = &end;
    }
    return known;
}

Stretch WindowOf(const BookingLine& line, int32_t day) {
    const ClockChange change = ClockChangeOn(day);
    return {RealSecondOfDay(change, SecondOfDay(line.from), false),
            RealSecondOfDay(change, SecondOfDay(line.to), true)};
}

// Outages are in time order: a day's are found by halving.
struct ByDay {
    bool operator()(const Outage& outage, int32_t day) const { return outage.day < day; }
    bool operator()(int32_t day, const Outage& outage) const { return day < outage.day; }
};

// Adds the windows of one panel's day, cut where the logs stop telling, to time.
void AddDay(std::vector<Stretch> windows, const std::vector<Outage>& outages, int32_t day,
            int32_t until, WindowTime& time) {
    for (Stretch& window : windows) {
        window.end = std::min(window.end, until);
    }
    for (const Stretch& window : JoinStretches(std::move(windows))) {
        if (window.start >= window.end) {
            continue;
        }
        time.windowSeconds += window.end - window.start;
        const auto [begin, end] = std::equal_range(outages.begin(), outages.end(), day, ByDay{});
        for (auto outage = begin; outage != end; ++outage) {
            const int32_t from = std::max(window.start, outage->realStart);
            const int32_t to = std::min(window.end, outage->realStart + outage->seconds);
            time.outageSeconds += std::max(0, to - from);
        }
    }
}

std::vector<Outage> OutagesOf(const CampaignResult& result, size_t panel) {
    std::vector<Outage> outages;
    std::copy_if(result.outages.begin(), result.outages.end(), std::back_inserter(outages),
                 [&](const Outage& outage) { return outage.panel == panel; });
    return outages;
}

WindowTime LineTime(const BookingLine& line, const LineFigures& figures,
                    const PanelKnowledge& known, const std::vector<Outage>& outages) {
    WindowTime time;
    for (size_t i = 0; i < figures.delivered.size(); ++i) {
        const int32_t day = line.firstDay + static_cast<int32_t>(i);
        if (!known.Tells(day)) {
            ++time.daysUnknown;
            continue;
        }
        AddDay({WindowOf(line, day)}, outages, day, known.ToldUntil(day), time);
    }
    return time;
}

// One panel's time over all its lines (indices into result.figures), their windows joined day
// by day.
WindowTime PanelTime(const std::vector<BookingLine>& lines, const CampaignResult& result,
                     const std::vector<size_t>& figuresOfPanel, const PanelKnowledge& known,
                     const std::vector<Outage>& outages) {
    const auto counted = [&](size_t f) {
        const LineFigures& figures = result.figures[f];
        const int32_t first = lines[figures.line].firstDay;
        return std::make_pair(first, first + static_cast<int32_t>(figures.delivered.size()) - 1);
    };
    int32_t first = INT32_MAX, last = INT32_MIN;
    for (const size_t f : figuresOfPanel) {
        first = std::min(first, counted(f).first);
        last = std::max(last, counted(f).second);
    }
    WindowTime time;
    for (int32_t day = first; day <= last; ++day) {
        std::vector<Stretch> windows;
        for (const size_t f : figuresOfPanel) {
            if (day >= counted(f).first && day <= counted(f).second) {
                windows.push_back(WindowOf(lines[result.figures[f].line], day));
            }
        }
        if (windows.empty()) {
            continue;
        }
        if (!known.Tells(day)) {
            ++time.daysUnknown;
            continue;
        }
        AddDay(std::move(windows), outages, day, known.ToldUntil(day), time);
    }
    return time;
}

}  // namespace

std::optional<double> Availability(const WindowTime& time) {
    if (time.windowSeconds <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(time.windowSeconds - time.outageSeconds) /
           static_cast<double>(time.windowSeconds);
}

std::optional<double> ShareOfTime(double playedSeconds, const WindowTime& time) {
    if (time.windowSeconds <= 0) {
        return std::nullopt;
    }
    return playedSeconds / static_cast<double>(time.windowSeconds);
}

void AddWindowTimes(const std::vector<BookingLine>& lines, size_t panels, CampaignResult& result) {
    const std::vector<PanelKnowledge> known = KnowledgeOf(result, panels);
    std::vector<std::vector<Outage>> outages(panels);
    for (size_t p = 0; p < panels; ++p) {
        outages[p] = OutagesOf(result, p);
    }
    for (LineFigures& figures : result.figures) {
        figures.time =
            LineTime(lines[figures.line], figures, known[figures.panel], outages[figures.panel]);
    }
    std::vector<std::vector<size_t>> figuresOf(panels);
    for (size_t f = 0; f < result.figures.size(); ++f) {
        figuresOf[result.figures[f].panel].push_back(f);
    }
    result.panelTimes.clear();
    for (size_t p = 0; p < panels; ++p) {
        result.panelTimes.push_back(PanelTime(lines, result, figuresOf[p], known[p], outages[p]));
    }
}
