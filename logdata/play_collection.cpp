#include "logdata/play_collection.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "logdata/byte_source.h"
#include "logdata/parallel.h"

namespace {

constexpr size_t kBlockSize = size_t{4} << 20;
constexpr size_t kPastEndPiece = 4096;  // read at a time after the end the log had at the start

// The player may be appending while a month loads: the load takes the log as it was when the
// load began. A line that has no line end there may still be being written: it is read on to
// its line end, waiting a moment for the rest if none has come yet; one that has grown but has
// no line end even then is not a play yet, and is left out.
void FinishLastLine(const ByteSource& source, Cursor& cursor, char* buffer, size_t carried,
                    PlayCollector& collector) {
    bool grew = false;
    bool waited = !source.MayGrow();
    for (;;) {
        const size_t got = cursor.Read(buffer + carried, kPastEndPiece);
        if (got == 0 && !waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            waited = true;
            continue;
        }
        if (got == 0) {
            if (!grew) {
                collector.AddLines(buffer, carried, true);
            }
            return;
        }
        grew = true;
        const auto* lineFeed = static_cast<const char*>(std::memchr(buffer + carried, '\n', got));
        const size_t filled =
            lineFeed != nullptr ? static_cast<size_t>(lineFeed - buffer) + 1 : carried + got;
        const size_t used = collector.AddLines(buffer, filled, false);
        if (lineFeed != nullptr) {
            return;
        }
        carried = filled - used;
        std::memmove(buffer, buffer + used, carried);
    }
}

void CollectRange(const ByteSource& source, uint64_t begin, uint64_t end, bool last,
                  PlayCollector& collector) {
    std::unique_ptr<Cursor> cursor = source.Open(begin);
    // Room for a block after an unfinished line, and for the pieces read past the end.
    const FreshArray<char> buffer(static_cast<size_t>(std::min<uint64_t>(kBlockSize, end - begin)) +
                                  kMaxLineLength + kPastEndPiece);
    collector.plays.reserve(
        static_cast<size_t>(std::min<uint64_t>((end - begin) / 40 + 16, kMaxRecordCount)));
    size_t carried = 0;
    uint64_t remaining = end - begin;
    for (;;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kBlockSize, remaining));
        const size_t got = want == 0 ? 0 : cursor->Read(buffer.data() + carried, want);
        remaining -= got;
        const bool isEnd = got == 0;
        const size_t filled = carried + got;
        if (isEnd && last && filled > 0) {
            FinishLastLine(source, *cursor, buffer.data(), filled, collector);
            return;
        }
        const size_t used = collector.AddLines(buffer.data(), filled, isEnd);
        carried = filled - used;
        std::memmove(buffer.data(), buffer.data() + used, carried);
        if (isEnd) {
            return;
        }
    }
}

void CollectPlays(const ByteSource& source, const ScanFilter& filter, PlayParts& parts) {
    const std::vector<uint64_t> points = SplitPoints(source, ThreadCount());
    parts.clear();
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        parts.push_back(std::make_unique<PlayCollector>(filter));
    }
    ForEachIndex(parts.size(), [&](size_t k) {
        CollectRange(source, points[k], points[k + 1], k + 1 == parts.size(), *parts[k]);
    });
}

}  // namespace

bool CollectFilePlays(const char* path, const ScanFilter& filter, PlayParts& parts) {
    const std::unique_ptr<ByteSource> source = OpenFileSource(path);
    if (source == nullptr) {
        parts.clear();
        return false;
    }
    CollectPlays(*source, filter, parts);
    return true;
}

void CollectBytePlays(std::string_view bytes, const ScanFilter& filter, PlayParts& parts) {
    CollectPlays(*MemorySource(bytes), filter, parts);
}

size_t CountPlays(const PlayParts& parts) {
    size_t count = 0;
    for (const auto& part : parts) {
        count += part->plays.size();
    }
    return count;
}

void WriteRecord(PlaybackRecord& record, const ParsedPlay& play, std::string_view name,
                 bool zeroed) {
    std::memcpy(record.name, name.data(), name.size());
    if (!zeroed) {
        std::memset(record.name + name.size(), 0, kNameSize - name.size());
    }
    record.time = {play.year, play.month, 0, play.day, play.hour, play.minute, play.second, 0};
    record.length = play.length;
}

void WriteInFileOrder(PlaybackLog& log, const PlayParts& parts, size_t count, bool zeroed) {
    size_t first = 0;
    for (const auto& part : parts) {
        const size_t n = std::min(part->plays.size(), count - first);
        PlaybackRecord* records = log.records + first;
        const PlayCollector& collector = *part;
        ParallelFor(n, [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                const ParsedPlay& play = collector.plays[i];
                WriteRecord(records[i], play, collector.names.Name(play.nameId), zeroed);
            }
        });
        first += n;
    }
}
