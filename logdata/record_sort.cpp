#include "logdata/record_sort.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

#include "base/cp1250.h"
#include "logdata/play_moment.h"

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

namespace {

std::string ShownName(const char* name) {
    std::string shown;
    for (const char* p = name; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += *p;
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\t') {
            shown += "\\t";
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

}  // namespace

std::string DateErrorMessage(const PlaybackRecord& offending) {
    static constexpr Cp1250Literal kFormat{
        "Chybné datum nebo čas přehrání animace \"%s\": %u.%u.%u %u:%02u:%02u. "
        "Data nebyla načtena."};
    const SystemTime& t = offending.time;
    const std::string name = ShownName(offending.name);
    char text[1400];
    std::snprintf(text, sizeof text, kFormat.c_str(), name.c_str(), t.wDay, t.wMonth, t.wYear,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}
