#include "campaign/findings.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_map>

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

// The plays each two booking lines shared on all panels, by the pair a << 32 | b, a < b.
std::unordered_map<uint64_t, uint64_t> SharedPairs(const std::vector<PanelTotal>& totals) {
    std::unordered_map<uint64_t, uint64_t> shared;
    for (const PanelTotal& total : totals) {
        if (total.tally == nullptr) {
            continue;
        }
        const std::vector<PanelLine>& planned = total.plan->lines;
        total.tally->Shared().ForEachPair([&](uint32_t a, uint32_t b, uint64_t plays) {
            shared[uint64_t{planned[a].line} << 32 | planned[b].line] += plays;
        });
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
    const std::unordered_map<uint64_t, uint64_t> shared = SharedPairs(totals);
    std::vector<uint64_t> pairs = PairsThatCouldOverlap(lines);
    for (const auto& [pair, plays] : shared) {
        pairs.push_back(pair);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    for (const uint64_t pair : pairs) {
        const auto found = shared.find(pair);
        result.overlaps.push_back(
            {pair >> 32, pair & UINT32_MAX, found == shared.end() ? 0 : found->second});
    }
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
