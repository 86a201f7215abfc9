#pragma once
// A panel's log tallies merged in month order, and what the proof finds in them: each line's
// plays per day, the outages and days without a play, overlapping lines, the short days with
// what explains them, and the logs that end before the counted days do.
#include <cstdint>
#include <memory>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"
#include "campaign/log_tally.h"
#include "campaign/log_tasks.h"
#include "campaign/panel_plan.h"

// What the logs of one panel came to, and where its newest log ends.
struct PanelTotal {
    const PanelPlan* plan = nullptr;  // null for a panel that no begun line books
    std::unique_ptr<LogTally> tally;
    std::vector<uint8_t> missingDay;  // [day - plan->firstDay]: its month has no log
    bool hasEnd = false;
    PlayStamp end{};
    int32_t endDay = 0, endSecond = 0;  // local seconds

    // Whether the log says nothing about the day from local second `from` on.
    bool EndedBy(int32_t day, int32_t from) const {
        return hasEnd && (day > endDay || (day == endDay && from > endSecond));
    }
};

// Each panel's tally with the missing logs, the evidence in month order, and where its newest
// log ends.
std::vector<PanelTotal> MergeTasks(const std::vector<PanelPlan>& plans, std::vector<LogTask>& tasks,
                                   PanelTallies& tallies, CampaignResult& result);

// The figures of each line on each panel it applies to: booking order, then panel order.
void AddFigures(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                const std::vector<PanelTotal>& totals, int32_t asOfDay, CampaignResult& result);

// The silences inside the booked windows, and the booked days without any play.
void AddOutages(const std::vector<PanelTotal>& totals, CampaignResult& result);

// Every pair of lines that shared plays or could have.
void AddOverlaps(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                 CampaignResult& result);

// The days short of their booked count, after the figures and outages are in.
void AddShortDays(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                  CampaignResult& result);

// The panels whose newest log ending explains a short day.
void AddLogEnds(const std::vector<PanelTotal>& totals, CampaignResult& result);
