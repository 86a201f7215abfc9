#include "logdata/playback_log.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "logdata/memory.h"
#include "logdata/parallel.h"

PlaybackLog::~PlaybackLog() {
    std::free(records);
    std::free(totals);
}

PlaybackLog& ThePlaybackLog() {
    static PlaybackLog log;
    return log;
}

// Records beyond the count are never read, so only the counts and the small totals array are
// cleared; the large record array is simply overwritten by the next load.
void ResetLog(PlaybackLog& log) {
    log.recordCount = 0;
    if (log.totals != nullptr) {
        std::memset(log.totals, 0, sizeof(AnimationTotal) * static_cast<size_t>(log.totalCapacity));
    }
    log.totalCount = 0;
}

namespace {

size_t RoundUpToGrowth(size_t count) {
    return (count + kRecordGrowth - 1) / kRecordGrowth * kRecordGrowth;
}

// Faults in the first count records of a fresh array, on all cores.
void FaultInRecords(PlaybackRecord* records, size_t count) {
    ParallelFor(count, [records](size_t begin, size_t end) {
        FaultIn(records + begin, (end - begin) * sizeof(PlaybackRecord));
    });
}

}  // namespace

RecordRoom ReserveRecords(PlaybackLog& log, size_t count) {
    count = std::min(count, kMaxRecordCount);
    const size_t have = static_cast<size_t>(log.records == nullptr ? 0 : log.recordCapacity);
    size_t target = RoundUpToGrowth(count);
    while (target > have) {
        // A first array comes zero-filled straight from the system, which costs nothing extra.
        const bool fresh = log.records == nullptr;
        void* grown = fresh ? std::calloc(target, sizeof(PlaybackRecord))
                            : std::realloc(log.records, target * sizeof(PlaybackRecord));
        if (grown != nullptr) {
            PreferLargePages(grown, target * sizeof(PlaybackRecord));
            log.records = static_cast<PlaybackRecord*>(grown);
            log.recordCapacity = static_cast<int32_t>(target);
            if (fresh) {
                FaultInRecords(log.records, std::min(count, target));
            }
            return {std::min(count, target), fresh};
        }
        target = std::max(have, RoundUpToGrowth(target / 2));
    }
    return {std::min(count, have), false};
}
