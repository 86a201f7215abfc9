#pragma once
// The logs a campaign reads, a task each, counted on the cores: a whole log to a thread, so that
// it is hashed in order; the bytes read reported and the caller's stop request asked between
// pieces of work.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "campaign/campaign_result.h"
#include "campaign/counted_play.h"
#include "campaign/log_tally.h"
#include "campaign/panel_plan.h"

// What a running count tells its caller, and how the caller stops it. Both are called from the
// counting threads, so an implementation must be safe to call from several at once.
class CampaignProgress {
public:
    virtual ~CampaignProgress() = default;
    // `read` bytes of the `total` bytes of the logs to count have been read.
    virtual void BytesRead(uint64_t read, uint64_t total) = 0;
    // Asked between pieces of work; once true, the count ends without a result.
    virtual bool StopRequested() = 0;
};

struct LogTask {
    size_t plan = 0;
    MonthKey month{};
    std::string path;
    bool missing = false;
    std::string failure;  // the system's reason when it exists but cannot be read
    LogEvidence evidence{};
};

// A task for each month of each panel's plan, panel by panel, months in order.
std::vector<LogTask> TasksFor(const std::vector<PanelPlan>& plans,
                              const std::vector<CampaignPanel>& panels);

// Each panel's logs counted into one tally, null for a panel without a begun line.
using PanelTallies = std::vector<std::unique_ptr<LogTally>>;

// Runs every task; progress and plays may be null; plays gets each log's counted plays. A log's
// tally is added to its panel's as soon as it is counted, so that besides the panels' only one
// tally per thread is held. False when the caller stopped the count. A play after madeAt (seconds
// since 1970) is found in the future.
[[nodiscard]] bool CountLogs(std::vector<LogTask>& tasks, const std::vector<PanelPlan>& plans,
                             int32_t closeSeconds, int64_t madeAt, CampaignProgress* progress,
                             PlayRecorder* plays, PanelTallies& panels);
