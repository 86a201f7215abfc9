#include "campaign/findings.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "campaign/calendar.h"
#include "campaign/line_figures.h"
#include "campaign/spot_pattern.h"

namespace {

void MarkMissingMonth(const MonthKey& month, PanelTotal& total) {
    for (size_t d = 0; d < total.plan->Days(); ++d) {
        const CivilDate date = DateOfDay(total.plan->firstDay + static_cast<int32_t>(d));
        if (date.year == month.year && date.month == month.month) {
            total.missingDay[d] = 1;
        }
    }
}

void NoteEnd(const LogEvidence& log, PanelTotal& total) {
    if (log.hasPlays && (!total.hasEnd || StampKey(log.last) > StampKey(total.end))) {
        total.hasEnd = true;
        total.end = log.last;
        total.endDay = DayNumber({log.last.year, log.last.month, log.last.day});
        total.endSecond = SecondOfDay({log.last.hour, log.last.minute}) + log.last.second;
    }
}

// The silences of a day's windows; on the day its newest log ends, only up to its last play.
void AddOutagesOfDay(const PanelTotal& total, int32_t day, size_t d, CampaignResult& result) {
    const ClockChange change = ClockChangeOn(day);
    const int32_t end = total.hasEnd && day == total.endDay
                            ? RealSecondOfDay(change, total.endSecond, true)
                            : INT32_MAX;
    for (const Stretch& window : BookedWindows(*total.plan, day)) {
        for (const Stretch& silence :
             total.tally->CoverageOf(d).SilencesIn(window.start, std::min(window.end, end))) {
            result.outages.push_back({total.plan->panel, day,
                                      LocalSecondOfDay(change, silence.start),
                                      LocalSecondOfDay(change, silence.end),
                                      silence.end - silence.start, silence.start});
        }
    }
}

void AddPanelOutages(const PanelTotal& total, CampaignResult& result) {
    const PanelPlan& plan = *total.plan;
    for (size_t d = 0; d < plan.Days(); ++d) {
        const int32_t day = plan.firstDay + static_cast<int32_t>(d);
        if (plan.booked[d] == 0 || total.missingDay[d] != 0 || total.EndedBy(day, -1)) {
            continue;
        }
        if (total.tally->AnyPlays(d) == 0) {
            result.silentDays.push_back({plan.panel, day});
        }
        AddOutagesOfDay(total, day, d, result);
    }
}

bool CouldOverlap(const BookingLine& x, const BookingLine& y, const SpotPattern& px,
                  const SpotPattern& py) {
    return x.firstDay <= y.lastDay && y.firstDay <= x.lastDay &&
           (x.panel.empty() || y.panel.empty() || EqualIgnoringCase(x.panel, y.panel)) &&
           MinuteOfDay(x.from) < MinuteOfDay(y.to) && MinuteOfDay(y.from) < MinuteOfDay(x.to) &&
           px.ComparesWholeName() == py.ComparesWholeName() && px.MayOverlap(py);
}

using PairPlays = std::pair<uint64_t, uint64_t>;  // (a << 32 | b, plays), a < b

// Sorts by pair and adds up the plays of each pair into its first entry.
void SumByPair(std::vector<PairPlays>& pairs) {
    const auto byPair = [](const PairPlays& x, const PairPlays& y) { return x.first < y.first; };
    if (!std::is_sorted(pairs.begin(), pairs.end(), byPair)) {
        std::sort(pairs.begin(), pairs.end(), byPair);
    }
    size_t kept = 0;
    for (const PairPlays& entry : pairs) {
        if (kept > 0 && pairs[kept - 1].first == entry.first) {
            pairs[kept - 1].second += entry.second;
        } else {
            pairs[kept++] = entry;
        }
    }
    pairs.resize(kept);
}

// The plays each two booking lines shared on all panels, sorted by pair. A table sorted once per
// panel and merged, not a map updated per pair: millions of pairs stay cheap.
std::vector<PairPlays> SharedPairs(const std::vector<PanelTotal>& totals) {
    std::vector<PairPlays> shared, panel;
    for (const PanelTotal& total : totals) {
        if (total.tally == nullptr) {
            continue;
        }
        const std::vector<PanelLine>& planned = total.plan->lines;
        panel.clear();
        total.tally->Shared().ForEachPair([&](uint32_t a, uint32_t b, uint64_t plays) {
            panel.emplace_back(uint64_t{planned[a].line} << 32 | planned[b].line, plays);
        });
        SumByPair(panel);
        std::vector<PairPlays> both;
        both.reserve(shared.size() + panel.size());
        std::merge(shared.begin(), shared.end(), panel.begin(), panel.end(),
                   std::back_inserter(both),
                   [](const PairPlays& x, const PairPlays& y) { return x.first < y.first; });
        shared.swap(both);
        SumByPair(shared);  // already in order: only adds up the pairs both had
    }
    return shared;
}

// The pairs a << 32 | b, a < b, of lines that could count the same play. Only lines whose
// booked days meet are compared: a sweep in the order of their first days.
std::vector<uint64_t> PairsThatCouldOverlap(const std::vector<BookingLine>& lines) {
    std::vector<SpotPattern> patterns;
    patterns.reserve(lines.size());
    for (const BookingLine& line : lines) {
        patterns.emplace_back(line.spot);
    }
    std::vector<size_t> order(lines.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t x, size_t y) { return lines[x].firstDay < lines[y].firstDay; });
    std::vector<uint64_t> pairs;
    std::vector<size_t> running;  // lines whose days may still meet a later one's
    for (const size_t b : order) {
        size_t kept = 0;
        for (const size_t a : running) {
            if (lines[a].lastDay < lines[b].firstDay) {
                continue;
            }
            running[kept++] = a;
            const size_t low = std::min(a, b), high = std::max(a, b);
            if (CouldOverlap(lines[low], lines[high], patterns[low], patterns[high])) {
                pairs.push_back(uint64_t{low} << 32 | high);
            }
        }
        running.resize(kept);
        running.push_back(b);
    }
    return pairs;
}

}  // namespace

std::vector<PanelTotal> MergeTasks(const std::vector<PanelPlan>& plans, std::vector<LogTask>& tasks,
                                   PanelTallies& tallies, CampaignResult& result) {
    std::vector<PanelTotal> totals(plans.size());
    for (const PanelPlan& plan : plans) {
        if (!plan.lines.empty()) {
            PanelTotal& total = totals[plan.panel];
            total.plan = &plan;
            total.tally = std::move(tallies[plan.panel]);
            total.missingDay.assign(plan.Days(), 0);
        }
    }
    for (LogTask& task : tasks) {
        PanelTotal& total = totals[task.plan];
        if (task.missing) {
            result.missingLogs.push_back({task.plan, task.month.year, task.month.month, task.path});
            MarkMissingMonth(task.month, total);
            continue;
        }
        NoteEnd(task.evidence, total);
        result.logs.push_back(std::move(task.evidence));
    }
    for (const PanelTotal& total : totals) {
        if (total.hasEnd) {
            result.panelEnds.push_back({total.plan->panel, total.endDay, total.endSecond});
        }
    }
    return totals;
}

void AddFigures(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                const std::vector<PanelTotal>& totals, int32_t asOfDay, CampaignResult& result) {
    for (size_t line = 0; line < lines.size(); ++line) {
        for (size_t p = 0; p < panels.size(); ++p) {
            if (!AppliesTo(lines[line], panels[p])) {
                continue;
            }
            LineFigures figures{line, p, {}, DaysLeft(lines[line], asOfDay)};
            const PanelTotal& total = totals[p];
            const PanelLine* planned = total.plan == nullptr ? nullptr : total.plan->Find(line);
            for (int32_t day = lines[line].firstDay; planned && day <= planned->lastCounted;
                 ++day) {
                const auto l = static_cast<size_t>(planned - total.plan->lines.data());
                figures.delivered.push_back(total.tally->Count(l, day));
            }
            if (planned != nullptr) {
                const auto l = static_cast<size_t>(planned - total.plan->lines.data());
                figures.playedSeconds = total.tally->PlayedSeconds(l);
                figures.impressions = total.tally->Impressions(l);
                figures.playsWithoutAudience = total.tally->PlaysWithoutAudience(l);
                figures.playsPerHour = total.tally->PlaysPerHour(l);
            }
            result.figures.push_back(std::move(figures));
        }
    }
}

void AddOutages(const std::vector<PanelTotal>& totals, CampaignResult& result) {
    for (const PanelTotal& total : totals) {
        if (total.plan != nullptr) {
            AddPanelOutages(total, result);
        }
    }
}

void AddOverlaps(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                 CampaignResult& result) {
    const std::vector<PairPlays> shared = SharedPairs(totals);
    std::vector<uint64_t> pairs = PairsThatCouldOverlap(lines);
    std::sort(pairs.begin(), pairs.end());
    // Both ascending: the pairs that could overlap and those that shared plays, merged.
    auto next = shared.begin();
    const auto addShared = [&](uint64_t upTo) {
        for (; next != shared.end() && next->first < upTo; ++next) {
            result.overlaps.push_back({next->first >> 32, next->first & UINT32_MAX, next->second});
        }
    };
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (i > 0 && pairs[i] == pairs[i - 1]) {
            continue;
        }
        addShared(pairs[i]);
        const bool sharedToo = next != shared.end() && next->first == pairs[i];
        result.overlaps.push_back(
            {pairs[i] >> 32, pairs[i] & UINT32_MAX, sharedToo ? next->second : 0});
        next += sharedToo ? 1 : 0;
    }
    addShared(UINT64_MAX);
}

void AddShortDays(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                  CampaignResult& result) {
    for (size_t f = 0; f < result.figures.size(); ++f) {
        const LineFigures& figures = result.figures[f];
        const BookingLine& line = lines[figures.line];
        const PanelTotal& total = totals[figures.panel];
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            if (figures.delivered[i] >= line.playsPerDay) {
                continue;
            }
            const int32_t day = line.firstDay + static_cast<int32_t>(i);
            const auto d = static_cast<size_t>(day - total.plan->firstDay);
            const bool missing = total.missingDay[d] != 0;
            const int32_t from = SecondOfDay(line.from);
            const int32_t to = SecondOfDay(line.to);
            result.shortDays.push_back(
                {f, day, missing,
                 !missing && total.tally->AnyPlays(d) == 0 && !total.EndedBy(day, -1),
                 OutagesTouching(result, figures.panel, day, from, to),
                 !missing && total.EndedBy(day, to - 1)});
        }
    }
}

void AddLogEnds(const std::vector<PanelTotal>& totals, CampaignResult& result) {
    for (const PanelTotal& total : totals) {
        const bool explains =
            total.plan != nullptr &&
            std::any_of(result.shortDays.begin(), result.shortDays.end(), [&](const ShortDay& day) {
                return day.afterLogEnd && result.figures[day.figures].panel == total.plan->panel;
            });
        if (explains) {
            result.logEnds.push_back({total.plan->panel, total.endDay, total.endSecond});
        }
    }
}
