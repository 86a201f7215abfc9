#include "logdata/month_load.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

#include "logdata/log_loader.h"
#include "logdata/play_collection.h"
#include "logdata/play_moment.h"
#include "logdata/totals.h"

namespace {

constexpr int64_t kNoMoment = INT64_MIN;

// The distinct names of all parts in byte order; rank = position in that order.
struct NameRanks {
    std::vector<std::string_view> names;        // by rank
    std::vector<std::vector<uint32_t>> ofPart;  // [part][local id] -> rank
};

NameRanks RankNames(const PlayParts& parts) {
    NameTable all;
    std::vector<std::vector<uint32_t>> globalIds(parts.size());
    for (size_t k = 0; k < parts.size(); ++k) {
        const NameTable& local = parts[k]->names;
        globalIds[k].resize(local.Size());
        for (uint32_t id = 0; id < local.Size(); ++id) {
            globalIds[k][id] = all.Intern(local.Name(id));
        }
    }
    std::vector<uint32_t> byName(all.Size());
    for (uint32_t id = 0; id < all.Size(); ++id) {
        byName[id] = id;
    }
    // string_view compares bytes as unsigned char, a prefix first: the records' name order.
    std::sort(byName.begin(), byName.end(),
              [&all](uint32_t a, uint32_t b) { return all.Name(a) < all.Name(b); });
    std::vector<uint32_t> rankOf(all.Size());
    NameRanks ranks;
    for (uint32_t rank = 0; rank < byName.size(); ++rank) {
        rankOf[byName[rank]] = rank;
    }
    ranks.ofPart.resize(parts.size());
    for (size_t k = 0; k < parts.size(); ++k) {
        for (uint32_t global : globalIds[k]) {
            ranks.ofPart[k].push_back(rankOf[global]);
        }
    }
    // The names live in the parts' tables, which outlive the ranks.
    ranks.names.resize(byName.size());
    for (size_t k = 0; k < parts.size(); ++k) {
        const NameTable& local = parts[k]->names;
        for (uint32_t id = 0; id < local.Size(); ++id) {
            ranks.names[ranks.ofPart[k][id]] = local.Name(id);
        }
    }
    return ranks;
}

// One part's share of the work: its plays (possibly cut short when memory ran out), their
// moments and destinations, and its per-name counts and moment bounds.
struct PartWork {
    const PlayCollector* collector;
    size_t count;
    const std::vector<uint32_t>* rankOf;
    std::vector<uint32_t> counts;  // per rank
    std::vector<int64_t> moments;  // per play; kNoMoment where the order needs none
    int64_t firstInvalid = -1;     // play index
    std::vector<uint32_t> destinations;
    std::vector<uint8_t> unsorted;  // per rank: moments not ascending in file order
    std::vector<int64_t> firstMoment, lastMoment;

    uint32_t RankOf(size_t i) const { return (*rankOf)[collector->plays[i].nameId]; }
};

template <typename Work>
void ForEachPart(std::vector<PartWork>& parts, Work work) {
    std::vector<std::thread> helpers;
    for (size_t k = 1; k < parts.size(); ++k) {
        helpers.emplace_back([&parts, &work, k] { work(parts[k]); });
    }
    if (!parts.empty()) {
        work(parts[0]);
    }
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

void CountNames(PartWork& part, size_t rankCount) {
    part.counts.assign(rankCount, 0);
    for (size_t i = 0; i < part.count; ++i) {
        ++part.counts[part.RankOf(i)];
    }
}

// Only names with two or more plays are ordered by time, so only their plays need a moment.
void ComputeMoments(PartWork& part, const std::vector<uint32_t>& totalCounts) {
    MomentCache cache;
    part.moments.assign(part.count, kNoMoment);
    for (size_t i = 0; i < part.count; ++i) {
        if (totalCounts[part.RankOf(i)] < 2) {
            continue;
        }
        const ParsedPlay& play = part.collector->plays[i];
        const PlayMoment moment =
            cache.Get(play.year, play.month, play.day, play.hour, play.minute, play.second);
        if (!moment.valid) {
            part.firstInvalid = static_cast<int64_t>(i);
            return;
        }
        part.moments[i] = moment.seconds;
    }
}

// File order within each name, as a first guess at the sorted places; notes the names whose
// plays are not in time order.
void PlaceInFileOrder(PartWork& part, std::vector<uint32_t> next) {
    const size_t ranks = next.size();
    part.destinations.resize(part.count);
    part.unsorted.assign(ranks, 0);
    part.firstMoment.assign(ranks, kNoMoment);
    part.lastMoment.assign(ranks, kNoMoment);
    for (size_t i = 0; i < part.count; ++i) {
        const uint32_t rank = part.RankOf(i);
        const int64_t moment = part.moments[i];
        if (part.lastMoment[rank] == kNoMoment) {
            part.firstMoment[rank] = moment;
        } else if (moment < part.lastMoment[rank]) {
            part.unsorted[rank] = 1;
        }
        part.lastMoment[rank] = moment;
        part.destinations[i] = next[rank]++;
    }
}

std::vector<uint8_t> UnsortedNames(const std::vector<PartWork>& parts, size_t rankCount) {
    std::vector<uint8_t> unsorted(rankCount, 0);
    std::vector<int64_t> last(rankCount, kNoMoment);
    for (const PartWork& part : parts) {
        for (size_t rank = 0; rank < rankCount; ++rank) {
            if (part.firstMoment[rank] == kNoMoment && part.lastMoment[rank] == kNoMoment) {
                continue;
            }
            if (part.unsorted[rank] != 0 ||
                (last[rank] != kNoMoment && part.firstMoment[rank] < last[rank])) {
                unsorted[rank] = 1;
            }
            last[rank] = part.lastMoment[rank];
        }
    }
    return unsorted;
}

// Names whose plays came out of time order: sort (moment, file position) and place again.
void PlaceUnsorted(std::vector<PartWork>& parts, const std::vector<uint8_t>& unsorted,
                   const std::vector<uint32_t>& starts) {
    struct Entry {
        int64_t moment;
        uint32_t part;
        uint32_t index;
    };
    std::vector<std::vector<Entry>> byRank(unsorted.size());
    for (uint32_t k = 0; k < parts.size(); ++k) {
        for (size_t i = 0; i < parts[k].count; ++i) {
            const uint32_t rank = parts[k].RankOf(i);
            if (unsorted[rank] != 0) {
                byRank[rank].push_back({parts[k].moments[i], k, static_cast<uint32_t>(i)});
            }
        }
    }
    for (size_t rank = 0; rank < byRank.size(); ++rank) {
        std::vector<Entry>& entries = byRank[rank];
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.moment < b.moment; });
        for (size_t j = 0; j < entries.size(); ++j) {
            parts[entries[j].part].destinations[entries[j].index] =
                starts[rank] + static_cast<uint32_t>(j);
        }
    }
}

void WriteSorted(PlaybackLog& log, const std::vector<PartWork>& parts, const NameRanks& ranks) {
    for (const PartWork& part : parts) {
        ParallelFor(part.count, [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                WriteRecord(log.records[part.destinations[i]], part.collector->plays[i],
                            ranks.names[part.RankOf(i)]);
            }
        });
    }
}

void WriteInFileOrder(PlaybackLog& log, const std::vector<PartWork>& parts) {
    size_t first = 0;
    for (const PartWork& part : parts) {
        PlaybackRecord* records = log.records + first;
        ParallelFor(part.count, [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                const ParsedPlay& play = part.collector->plays[i];
                WriteRecord(records[i], play, part.collector->names.Name(play.nameId));
            }
        });
        first += part.count;
    }
}

// The totals array sized in one step as 100-row steps would size it.
void ReserveTotals(PlaybackLog& log, size_t count) {
    const size_t target = (count + kTotalGrowth - 1) / kTotalGrowth * kTotalGrowth;
    if (target > static_cast<size_t>(log.totalCapacity) && target <= INT32_MAX) {
        void* grown = std::realloc(log.totals, target * sizeof(AnimationTotal));
        if (grown != nullptr) {
            log.totals = static_cast<AnimationTotal*>(grown);
            log.totalCapacity = static_cast<int32_t>(target);
        }
    }
}

void BuildTotalsFromCounts(PlaybackLog& log, const std::vector<uint32_t>& counts,
                           const std::vector<uint32_t>& starts, const NameRanks& ranks) {
    size_t used = 0;
    for (uint32_t count : counts) {
        used += count != 0;
    }
    ReserveTotals(log, used);
    for (size_t rank = 0; rank < counts.size(); ++rank) {
        if (counts[rank] == 0) {
            continue;
        }
        AnimationTotal row{};
        const std::string_view name = ranks.names[rank];
        std::copy(name.begin(), name.end(), row.name);
        row.length = log.records[starts[rank]].length;
        row.playCount = static_cast<int32_t>(counts[rank]);
        row.firstIndex = static_cast<int32_t>(starts[rank]);
        AppendTotal(log, row);
    }
}

std::vector<PartWork> ShareOut(const PlayParts& parts, size_t fit, const NameRanks& ranks) {
    std::vector<PartWork> work(parts.size());
    size_t left = fit;
    for (size_t k = 0; k < parts.size(); ++k) {
        work[k].collector = parts[k].get();
        work[k].count = std::min(left, parts[k]->plays.size());
        work[k].rankOf = &ranks.ofPart[k];
        left -= work[k].count;
    }
    return work;
}

LoadResult SortAndGroup(PlaybackLog& log, const PlayParts& parts) {
    const size_t fit = ReserveRecords(log, CountPlays(parts));
    const NameRanks ranks = RankNames(parts);
    const size_t rankCount = ranks.names.size();
    std::vector<PartWork> work = ShareOut(parts, fit, ranks);
    log.recordCount = static_cast<int32_t>(fit);

    ForEachPart(work, [rankCount](PartWork& part) { CountNames(part, rankCount); });
    std::vector<uint32_t> counts(rankCount, 0);
    for (const PartWork& part : work) {
        for (size_t rank = 0; rank < rankCount; ++rank) {
            counts[rank] += part.counts[rank];
        }
    }
    ForEachPart(work, [&counts](PartWork& part) { ComputeMoments(part, counts); });
    for (const PartWork& part : work) {
        if (part.firstInvalid >= 0) {
            WriteInFileOrder(log, work);
            LoadResult result{LoadStatus::kDateError, {}};
            const ParsedPlay& play = part.collector->plays[static_cast<size_t>(part.firstInvalid)];
            WriteRecord(result.offending, play, part.collector->names.Name(play.nameId));
            return result;
        }
    }

    std::vector<uint32_t> starts(rankCount, 0);
    for (size_t rank = 1; rank < rankCount; ++rank) {
        starts[rank] = starts[rank - 1] + counts[rank - 1];
    }
    std::vector<std::vector<uint32_t>> partStarts(work.size(), starts);
    for (size_t k = 1; k < work.size(); ++k) {
        for (size_t rank = 0; rank < rankCount; ++rank) {
            partStarts[k][rank] = partStarts[k - 1][rank] + work[k - 1].counts[rank];
        }
    }
    ForEachPart(work, [&work, &partStarts](PartWork& part) {
        PlaceInFileOrder(part, partStarts[static_cast<size_t>(&part - work.data())]);
    });
    const std::vector<uint8_t> unsorted = UnsortedNames(work, rankCount);
    if (std::find(unsorted.begin(), unsorted.end(), 1) != unsorted.end()) {
        PlaceUnsorted(work, unsorted, starts);
    }
    WriteSorted(log, work, ranks);
    BuildTotalsFromCounts(log, counts, starts, ranks);
    return {LoadStatus::kLoaded, {}};
}

}  // namespace

LoadResult LoadSortAndGroup(const char* path, PlaybackLog& log) {
    ResetLog(log);
    PlayParts parts;
    if (!CollectFilePlays(path, log.filter, parts)) {
        return {LoadStatus::kCannotOpen, {}};
    }
    return SortAndGroup(log, parts);
}

LoadResult LoadSortAndGroupBytes(std::string_view bytes, PlaybackLog& log) {
    ResetLog(log);
    PlayParts parts;
    CollectBytePlays(bytes, log.filter, parts);
    return SortAndGroup(log, parts);
}
