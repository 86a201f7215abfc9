#include "campaign/log_tasks.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

#include <sys/stat.h>

#include "base/system_files.h"
#include "base/system_reason.h"
#include "logdata/byte_source.h"
#include "logdata/line_reading.h"
#include "logdata/parallel.h"

namespace {

// The bytes read so far against the total, and the caller's stop request, latched.
class ProgressTracker {
public:
    ProgressTracker(CampaignProgress* progress, uint64_t total)
        : progress_(progress), total_(total) {}

    void Add(size_t bytes) {
        if (progress_ != nullptr) {
            progress_->BytesRead(read_ += bytes, total_);
        }
    }
    bool Stopped() {
        if (!stopped_ && progress_ != nullptr && progress_->StopRequested()) {
            stopped_ = true;
        }
        return stopped_;
    }

private:
    CampaignProgress* progress_;
    uint64_t total_;
    std::atomic<uint64_t> read_{0};
    std::atomic<bool> stopped_{false};
};

// Feeds a log's tally block by block, counting the bytes; after a stop it only skips on.
class TrackedSink : public LineSink {
public:
    TrackedSink(LogTally& tally, ProgressTracker& tracker) : tally_(tally), tracker_(tracker) {}

    size_t AddLines(const char* bytes, size_t size, bool isEnd) override {
        if (tracker_.Stopped()) {
            return size;
        }
        const size_t used = tally_.AddLines(bytes, size, isEnd);
        tracker_.Add(used);
        return used;
    }

private:
    LogTally& tally_;
    ProgressTracker& tracker_;
};

// The panels' tallies, each added to by one thread at a time.
struct PanelSums {
    PanelTallies& tallies;
    std::vector<std::mutex> locks;

    PanelSums(const std::vector<PanelPlan>& plans, int32_t closeSeconds, PanelTallies& panels)
        : tallies(panels), locks(plans.size()) {
        tallies.clear();
        for (const PanelPlan& plan : plans) {
            tallies.push_back(plan.lines.empty() ? nullptr
                                                 : std::make_unique<LogTally>(plan, closeSeconds));
        }
    }
    void Add(size_t panel, const LogTally& log) {
        const std::lock_guard<std::mutex> hold(locks[panel]);
        log.MergeInto(*tallies[panel]);
    }
};

// What a task counts with besides its log.
struct TaskContext {
    const std::vector<PanelPlan>& plans;
    int32_t closeSeconds;
    int64_t madeAt;
    ProgressTracker& tracker;
    PlayRecorder* plays;
    PanelSums& sums;
};

void RunTask(size_t index, LogTask& task, const TaskContext& context) {
    struct stat info {};
    if (StatPath(task.path, info) != 0) {
        task.missing = errno == ENOENT || errno == ENOTDIR;
        task.failure = task.missing ? "" : SystemReasonText(errno);
        return;
    }
    const std::unique_ptr<ByteSource> source = OpenFileSource(task.path.c_str());
    if (source == nullptr) {
        task.failure = S_ISDIR(info.st_mode) ? SystemReasonText(EISDIR) : SystemReasonText(errno);
        return;
    }
    const PanelPlan& plan = context.plans[task.plan];
    LogTally tally(plan, context.closeSeconds, context.madeAt);
    const std::unique_ptr<PlaySink> plays =
        context.plays == nullptr ? nullptr : context.plays->ForLog(index, task, plan);
    tally.RecordTo(plays.get());
    TrackedSink sink(tally, context.tracker);
    task.failure = ReadLines(*source, 0, source->Size(), true, sink);
    if (!task.failure.empty() || context.tracker.Stopped()) {
        return;  // the size and digest of part of a log are no evidence of it
    }
    task.evidence = tally.Evidence(task.path);
    context.sums.Add(task.plan, tally);
}

// The bytes of the logs there are to read, asked only when someone follows the count.
uint64_t BytesToRead(const std::vector<LogTask>& tasks, const CampaignProgress* progress) {
    uint64_t total = 0;
    for (const LogTask& task : tasks) {
        struct stat info {};
        if (progress != nullptr && StatPath(task.path, info) == 0 && S_ISREG(info.st_mode)) {
            total += static_cast<uint64_t>(info.st_size);
        }
    }
    return total;
}

}  // namespace

std::vector<LogTask> TasksFor(const std::vector<PanelPlan>& plans,
                              const std::vector<CampaignPanel>& panels) {
    std::vector<LogTask> tasks;
    for (size_t p = 0; p < plans.size(); ++p) {
        for (const MonthKey& month : MonthsBooked(plans[p])) {
            LogTask task;
            task.plan = p;
            task.month = month;
            task.path = PanelLogPath(panels[p], month.year, month.month);
            tasks.push_back(std::move(task));
        }
    }
    return tasks;
}

bool CountLogs(std::vector<LogTask>& tasks, const std::vector<PanelPlan>& plans,
               int32_t closeSeconds, int64_t madeAt, CampaignProgress* progress,
               PlayRecorder* plays, PanelTallies& panels) {
    ProgressTracker tracker(progress, BytesToRead(tasks, progress));
    PanelSums sums(plans, closeSeconds, panels);
    const TaskContext context{plans, closeSeconds, madeAt, tracker, plays, sums};
    std::atomic<size_t> next{0};
    const size_t workers = std::min<size_t>(ThreadCount(), tasks.size());
    ForEachIndex(workers, [&](size_t) {
        for (size_t t = next++; t < tasks.size() && !tracker.Stopped(); t = next++) {
            RunTask(t, tasks[t], context);
        }
    });
    return !tracker.Stopped();
}
