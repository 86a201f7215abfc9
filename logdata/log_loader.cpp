#include "logdata/log_loader.h"

#include <cstring>
#include <exception>

#include "logdata/play_collection.h"

namespace {

void StoreInFileOrder(PlaybackLog& log, const PlayParts& parts) {
    const RecordRoom room = ReserveRecords(log, CountPlays(parts));
    WriteInFileOrder(log, parts, room.fit, room.zeroed);
    log.recordCount = static_cast<int32_t>(room.fit);
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
