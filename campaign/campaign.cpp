#include "campaign/campaign.h"

#include <algorithm>

#include "campaign/findings.h"
#include "campaign/panel_plan.h"
#include "campaign/window_time.h"

CampaignOutcome EvaluateCampaign(const std::vector<BookingLine>& lines,
                                 const std::vector<CampaignPanel>& panels,
                                 const CampaignSettings& settings, CampaignProgress* progress) {
    const std::vector<PanelPlan> plans = PlanPanels(lines, panels, settings.asOfDay);
    std::vector<LogTask> tasks = TasksFor(plans, panels);
    const int32_t gapSeconds = settings.gapMinutes * 60;
    PanelTallies tallies;
    if (!CountLogs(tasks, plans, gapSeconds, settings.madeAt, progress, settings.plays, tallies)) {
        return CampaignStopped{};
    }
    const auto unreadable = std::find_if(tasks.begin(), tasks.end(),
                                         [](const LogTask& task) { return !task.failure.empty(); });
    if (unreadable != tasks.end()) {
        return UnreadableLog{unreadable->path, unreadable->failure};
    }
    CampaignResult result;
    result.asOfDay = AsOfShown(lines, settings.asOfDay);
    result.linesWithoutPanel = LinesWithoutPanel(lines, panels);
    const std::vector<PanelTotal> totals = MergeTasks(plans, tasks, tallies, result);
    AddFigures(lines, panels, totals, settings.asOfDay, result);
    AddOutages(totals, result);
    AddWindowTimes(lines, panels.size(), result);
    AddOverlaps(lines, totals, result);
    AddShortDays(lines, totals, result);
    AddLogEnds(totals, result);
    return result;
}
