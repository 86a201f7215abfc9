#pragma once
// A campaign against the panels' logs as of a day. It streams the logs: memory grows with
// panels, days and booking lines, never with the number of plays.
#include <climits>
#include <cstdint>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"
#include "campaign/line_figures.h"
#include "campaign/log_tasks.h"

constexpr int32_t kEveryBookedDay = INT32_MAX;

// The outage limit's range, in minutes: a whole day at most.
constexpr int32_t kShortestGap = 1;
constexpr int32_t kLongestGap = 24 * 60;

struct CampaignSettings {
    int32_t gapMinutes = 15;            // a silence of more than this is an outage
    int32_t asOfDay = kEveryBookedDay;  // the last day counted (campaign/as_of_day.h)
    // The proof's moment, seconds since 1970: a play dated after it is found in the future.
    int64_t madeAt = INT64_MAX;
    PlayRecorder* plays = nullptr;  // takes each counted play, when not null
};

// progress may be null: the count then runs to its end unobserved.
[[nodiscard]] CampaignOutcome EvaluateCampaign(const std::vector<BookingLine>& lines,
                                               const std::vector<CampaignPanel>& panels,
                                               const CampaignSettings& settings,
                                               CampaignProgress* progress = nullptr);
