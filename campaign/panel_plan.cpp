#include "campaign/panel_plan.h"

#include <algorithm>
#include <climits>

#include "base/paths.h"
#include "campaign/calendar.h"
#include "logdata/log_months.h"

namespace {

PanelPlan PlanPanel(size_t panel, const std::vector<BookingLine>& lines,
                    const std::vector<CampaignPanel>& panels, int32_t asOfDay) {
    PanelPlan plan;
    plan.panel = panel;
    if (!panels[panel].audience.Empty()) {
        plan.audience = &panels[panel].audience;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!AppliesTo(lines[i], panels[panel]) || lines[i].firstDay > asOfDay) {
            continue;
        }
        const int32_t last = std::min(lines[i].lastDay, asOfDay);
        plan.lines.push_back({i, &lines[i], last});
        plan.index.Add(SpotPattern(lines[i].spot));
        plan.extents.push_back({lines[i].firstDay, lines[i].lastDay, MinuteOfDay(lines[i].from),
                                MinuteOfDay(lines[i].to)});
        const bool first = plan.lines.size() == 1;
        plan.firstDay = first ? lines[i].firstDay : std::min(plan.firstDay, lines[i].firstDay);
        plan.lastDay = first ? last : std::max(plan.lastDay, last);
    }
    if (plan.lines.empty()) {
        return plan;
    }
    plan.booked.assign(plan.Days(), 0);
    for (PanelLine& line : plan.lines) {
        line.cell = plan.cells;
        plan.cells += line.Days();
        for (int32_t day = line.booking->firstDay; day <= line.lastCounted; ++day) {
            plan.booked[day - plan.firstDay] = 1;
        }
    }
    return plan;
}

}  // namespace

bool AppliesTo(const BookingLine& line, const CampaignPanel& panel) {
    return line.panel.empty() || EqualIgnoringCase(line.panel, panel.name);
}

const PanelLine* PanelPlan::Find(size_t line) const {
    for (const PanelLine& panelLine : lines) {
        if (panelLine.line == line) {
            return &panelLine;
        }
    }
    return nullptr;
}

std::vector<PanelPlan> PlanPanels(const std::vector<BookingLine>& lines,
                                  const std::vector<CampaignPanel>& panels, int32_t asOfDay) {
    std::vector<PanelPlan> plans;
    for (size_t p = 0; p < panels.size(); ++p) {
        plans.push_back(PlanPanel(p, lines, panels, asOfDay));
    }
    return plans;
}

std::vector<size_t> LinesWithoutPanel(const std::vector<BookingLine>& lines,
                                      const std::vector<CampaignPanel>& panels) {
    std::vector<size_t> without;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (std::none_of(panels.begin(), panels.end(),
                         [&](const CampaignPanel& panel) { return AppliesTo(lines[i], panel); })) {
            without.push_back(i);
        }
    }
    return without;
}

std::vector<MonthKey> MonthsBooked(const PanelPlan& plan) {
    std::vector<MonthKey> months;
    for (size_t d = 0; d < plan.booked.size(); ++d) {
        const CivilDate date = DateOfDay(plan.firstDay + static_cast<int32_t>(d));
        if (plan.booked[d] != 0 &&
            (months.empty() || !(months.back() == MonthKey{date.year, date.month}))) {
            months.push_back({date.year, date.month});
        }
    }
    return months;
}

std::string PanelLogPath(const CampaignPanel& panel, uint32_t year, uint32_t month) {
    std::string path = panel.folder;
    if (!path.empty() && path.back() != '/' && path.back() != kPathSeparator) {
        path += kPathSeparator;
    }
    return path + LogFilePath({year, month});
}

std::vector<Stretch> BookedWindows(const PanelPlan& plan, int32_t day) {
    std::vector<Stretch> windows;
    for (const PanelLine& line : plan.lines) {
        const BookingLine& booking = *line.booking;
        if (day >= booking.firstDay && day <= line.lastCounted) {
            const ClockChange change = ClockChangeOn(day);
            windows.push_back({RealSecondOfDay(change, SecondOfDay(booking.from), false),
                               RealSecondOfDay(change, SecondOfDay(booking.to), true)});
        }
    }
    return JoinStretches(std::move(windows));
}

int32_t AsOfShown(const std::vector<BookingLine>& lines, int32_t asOfDay) {
    int32_t last = INT32_MIN;
    for (const BookingLine& line : lines) {
        last = std::max(last, line.lastDay);
    }
    return std::min(asOfDay, last);
}
