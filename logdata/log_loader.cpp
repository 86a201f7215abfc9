#include "logdata/log_loader.h"

#include <cstring>
#include <exception>

#include "logdata/play_collection.h"

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

void StoreInFileOrder(PlaybackLog& log, const PlayParts& parts) {
    const RecordRoom room = ReserveRecords(log, CountPlays(parts));
    const size_t fit = room.fit;
    size_t first = 0;
    for (const auto& part : parts) {
        const size_t count = std::min(part->plays.size(), fit - first);
        PlaybackRecord* records = log.records + first;
        const PlayCollector& collector = *part;
        ParallelFor(count, [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                const ParsedPlay& play = collector.plays[i];
                WriteRecord(records[i], play, collector.names.Name(play.nameId), room.zeroed);
            }
        });
        first += count;
    }
    log.recordCount = static_cast<int32_t>(first);
}

}  // namespace

// Memory that runs out while the plays are read leaves the log empty; the record array that
// cannot grow drops the records that find no room.
int LoadLogFile(const char* path, PlaybackLog& log) {
    ResetLog(log);
    try {
        PlayParts parts;
        if (!CollectFilePlays(path, log.filter, parts)) {
            return 1;
        }
        StoreInFileOrder(log, parts);
    } catch (const std::exception&) {
        ResetLog(log);
    }
    return 0;
}

void LoadLogBytes(std::string_view bytes, PlaybackLog& log) {
    ResetLog(log);
    try {
        PlayParts parts;
        CollectBytePlays(bytes, log.filter, parts);
        StoreInFileOrder(log, parts);
    } catch (const std::exception&) {
        ResetLog(log);
    }
}

std::string StripPath(std::string_view name) {
    size_t start = 0;
    if (name.size() >= 2 && name[1] == ':') {
        start = 2;  // the drive
    }
    const size_t separator = name.find_last_of("\\/");
    if (separator != std::string_view::npos && separator + 1 > start) {
        start = separator + 1;
    }
    return std::string(name.substr(start, kNameSize - 1));
}
