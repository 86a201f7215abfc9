#include "tests/logdata/step_by_step.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <exception>
#include <numeric>
#include <vector>

#include "logdata/play_collection.h"
#include "logdata/play_moment.h"
#include "logdata/totals.h"

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
        std::string readFailure;
        if (!CollectFilePlays(path, log.filter, parts, readFailure) || !readFailure.empty()) {
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

namespace {

// Moves the records so that position k receives the record that was at order[k].
void Permute(PlaybackRecord* records, std::vector<int32_t>& order) {
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] < 0 || static_cast<size_t>(order[start]) == start) {
            continue;
        }
        const PlaybackRecord saved = records[start];
        size_t at = start;
        while (static_cast<size_t>(order[at]) != start) {
            const auto from = static_cast<size_t>(order[at]);
            records[at] = records[from];
            order[at] = -1;
            at = from;
        }
        records[at] = saved;
        order[at] = -1;
    }
}

}  // namespace

SortResult SortRecords(PlaybackLog& log) {
    const PlaybackRecord* records = log.records;
    std::vector<int32_t> order(static_cast<size_t>(log.recordCount));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [records](int32_t a, int32_t b) {
        const int byName = std::strcmp(records[a].name, records[b].name);
        return byName != 0 ? byName < 0 : a < b;
    });
    std::vector<int64_t> moments(order.size(), 0);
    int32_t firstInvalid = -1;
    for (size_t group = 0, next = 0; group < order.size(); group = next) {
        next = group + 1;
        while (next < order.size() &&
               std::strcmp(records[order[group]].name, records[order[next]].name) == 0) {
            ++next;
        }
        for (size_t k = group; next - group >= 2 && k < next; ++k) {
            const PlayMoment moment = GetPlayMoment(records[order[k]].time);
            moments[static_cast<size_t>(order[k])] = moment.seconds;
            if (!moment.valid && (firstInvalid < 0 || order[k] < firstInvalid)) {
                firstInvalid = order[k];
            }
        }
        std::sort(order.begin() + static_cast<std::ptrdiff_t>(group),
                  order.begin() + static_cast<std::ptrdiff_t>(next),
                  [&moments](int32_t a, int32_t b) {
                      return moments[a] != moments[b] ? moments[a] < moments[b] : a < b;
                  });
    }
    if (firstInvalid >= 0) {
        return {false, records[firstInvalid]};
    }
    Permute(log.records, order);
    return {true, {}};
}

int CompareRecords(const PlaybackRecord& a, const PlaybackRecord& b) {
    const int byName = std::strcmp(a.name, b.name);  // compares as unsigned char
    if (byName != 0) {
        return byName < 0 ? -1 : 1;
    }
    const int64_t momentA = GetPlayMoment(a.time).seconds;
    const int64_t momentB = GetPlayMoment(b.time).seconds;
    return (momentA > momentB) - (momentA < momentB);
}

namespace {

AnimationTotal StartTotal(const PlaybackLog& log, int32_t first) {
    AnimationTotal row{};
    const PlaybackRecord& record = log.records[first];
    std::memcpy(row.name, record.name, kNameSize - 1);
    row.name[kNameSize - 1] = '\0';
    row.length = record.length;
    row.playCount = 1;
    row.firstIndex = first;
    return row;
}

}  // namespace

int BuildTotals(PlaybackLog& log) {
    if (log.recordCount == 0) {
        return 0;
    }
    AnimationTotal current = StartTotal(log, 0);
    const char* groupName = log.records[0].name;
    for (int32_t i = 1; i < log.recordCount; ++i) {
        if (std::strcmp(log.records[i].name, groupName) != 0) {
            static_cast<void>(AppendTotal(log, current));
            current = StartTotal(log, i);
            groupName = log.records[i].name;
        } else {
            ++current.playCount;
        }
    }
    static_cast<void>(AppendTotal(log, current));
    return 0;
}
