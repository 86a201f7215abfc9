#include "logdata/play_collection.h"

#include <algorithm>
#include <cstring>

#include "logdata/byte_source.h"
#include "logdata/line_reading.h"
#include "logdata/parallel.h"

namespace {

// The first part's read failure, or empty.
std::string CollectPlays(const ByteSource& source, const ScanFilter& filter, PlayParts& parts) {
    const std::vector<uint64_t> points = SplitPoints(source, ThreadCount());
    parts.clear();
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        parts.push_back(std::make_unique<PlayCollector>(filter));
    }
    std::vector<std::string> failures(parts.size());
    ForEachIndex(parts.size(), [&](size_t k) {
        failures[k] = ReadLines(source, points[k], points[k + 1], k + 1 == parts.size(), *parts[k]);
    });
    for (const std::string& failure : failures) {
        if (!failure.empty()) {
            return failure;
        }
    }
    return "";
}

}  // namespace

bool CollectFilePlays(const char* path, const ScanFilter& filter, PlayParts& parts,
                      std::string& readFailure) {
    const std::unique_ptr<ByteSource> source = OpenFileSource(path);
    if (source == nullptr) {
        parts.clear();
        return false;
    }
    readFailure = CollectPlays(*source, filter, parts);
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
