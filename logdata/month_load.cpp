#include "logdata/month_load.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <vector>

#include "base/cp1250.h"
#include "logdata/parallel.h"
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

// One part's share of the work: its plays (possibly cut short when memory ran out), the
// counts of its names, and for each name the first and last moment in file order.
struct PartWork {
    const PlayCollector* collector;
    size_t count;
    const std::vector<uint32_t>* rankOf;
    std::vector<uint32_t> counts;   // per rank
    int64_t firstInvalid = -1;      // play index of the first play with no moment
    std::vector<uint8_t> unsorted;  // per rank: moments not ascending within this part
    std::vector<int64_t> firstMoment, lastMoment;

    uint32_t RankOf(size_t i) const { return (*rankOf)[collector->plays[i].nameId]; }
    const ParsedPlay& Play(size_t i) const { return collector->plays[i]; }
};

template <typename Work>
void ForEachPart(std::vector<PartWork>& parts, Work work) {
    ForEachIndex(parts.size(), [&parts, &work](size_t k) { work(parts[k]); });
}

void CountNames(PartWork& part, size_t rankCount) {
    part.counts.assign(rankCount, 0);
    for (size_t i = 0; i < part.count; ++i) {
        ++part.counts[part.RankOf(i)];
    }
}

PlayMoment MomentOf(MomentCache& cache, const ParsedPlay& play) {
    return cache.Get(play.year, play.month, play.day, play.hour, play.minute, play.second);
}

// Only names with two or more plays are ordered by time, so only their plays need a moment.
// Plays arrive mostly in time order: note the names where they do not.
void CheckMoments(PartWork& part, const std::vector<uint32_t>& totalCounts) {
    const size_t ranks = totalCounts.size();
    part.unsorted.assign(ranks, 0);
    part.firstMoment.assign(ranks, kNoMoment);
    part.lastMoment.assign(ranks, kNoMoment);
    MomentCache cache;
    for (size_t i = 0; i < part.count; ++i) {
        const uint32_t rank = part.RankOf(i);
        if (totalCounts[rank] < 2) {
            continue;
        }
        const PlayMoment moment = MomentOf(cache, part.Play(i));
        if (!moment.valid) {
            part.firstInvalid = static_cast<int64_t>(i);
            return;
        }
        if (part.lastMoment[rank] == kNoMoment) {
            part.firstMoment[rank] = moment.seconds;
        } else if (moment.seconds < part.lastMoment[rank]) {
            part.unsorted[rank] = 1;
        }
        part.lastMoment[rank] = moment.seconds;
    }
}

std::vector<uint8_t> UnsortedNames(const std::vector<PartWork>& parts, size_t rankCount) {
    std::vector<uint8_t> unsorted(rankCount, 0);
    std::vector<int64_t> last(rankCount, kNoMoment);
    for (const PartWork& part : parts) {
        for (size_t rank = 0; rank < rankCount; ++rank) {
            if (part.firstMoment[rank] == kNoMoment) {
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

// A play of a name that needs sorting: its moment and its place in the parts.
struct TimedPlay {
    int64_t moment;
    uint32_t part;
    uint32_t index;
};

// A stable sort for lists that are mostly in order already (a log is written in time order;
// a few odd lines break it): merges the ascending runs pairwise, O(n log runs). scratch holds
// as many items.
template <typename T, typename Less>
void MergeRuns(T* items, T* scratch, size_t count, Less less) {
    std::vector<size_t> bounds{0};
    for (size_t i = 1; i < count; ++i) {
        if (less(items[i], items[i - 1])) {
            bounds.push_back(i);
        }
    }
    bounds.push_back(count);
    T* from = items;
    T* to = scratch;
    while (bounds.size() > 2) {
        std::vector<size_t> next{0};
        for (size_t r = 0; r + 1 < bounds.size(); r += 2) {
            const size_t mid = bounds[r + 1];
            const size_t end = r + 2 < bounds.size() ? bounds[r + 2] : mid;
            // std::merge takes from the first run on ties: plays of equal moment stay in file
            // order.
            std::merge(from + bounds[r], from + mid, from + mid, from + end, to + bounds[r], less);
            next.push_back(end);
        }
        std::swap(from, to);
        bounds.swap(next);
    }
    if (from != items) {
        std::copy(from, from + count, items);
    }
}

// Where each part's plays of each name begin, given where each name's plays begin: the parts
// follow each other in file order.
std::vector<std::vector<uint32_t>> PartStarts(const std::vector<PartWork>& parts,
                                              const std::vector<uint32_t>& starts) {
    std::vector<std::vector<uint32_t>> partStarts(parts.size(), starts);
    for (size_t k = 1; k < parts.size(); ++k) {
        for (size_t rank = 0; rank < starts.size(); ++rank) {
            partStarts[k][rank] = partStarts[k - 1][rank] + parts[k - 1].counts[rank];
        }
    }
    return partStarts;
}

// The plays of the names that came out of time order, all in one block: the list of name r
// is count[r] plays from first[r] (none for the names in order), sorted by moment, plays of
// equal moment in file order.
struct SortedPlays {
    FreshArray<TimedPlay> plays;
    std::vector<size_t> first;
    std::vector<size_t> count;
};

// Each part fills its share of the lists in file order; the lists are then sorted, spread over
// the threads.
SortedPlays SortUnsorted(const std::vector<PartWork>& parts, const std::vector<uint8_t>& unsorted,
                         const std::vector<uint32_t>& counts) {
    SortedPlays sorted;
    sorted.first.assign(counts.size(), 0);
    sorted.count.assign(counts.size(), 0);
    std::vector<uint32_t> lists;
    size_t total = 0;
    for (size_t rank = 0; rank < unsorted.size(); ++rank) {
        if (unsorted[rank] != 0) {
            sorted.first[rank] = total;
            sorted.count[rank] = counts[rank];
            total += counts[rank];
            lists.push_back(static_cast<uint32_t>(rank));
        }
    }
    sorted.plays = FreshArray<TimedPlay>(total);
    std::vector<std::vector<uint32_t>> next =
        PartStarts(parts, std::vector<uint32_t>(counts.size(), 0));
    ForEachIndex(parts.size(), [&](size_t k) {
        const PartWork& part = parts[k];
        MomentCache cache;
        for (size_t i = 0; i < part.count; ++i) {
            const uint32_t rank = part.RankOf(i);
            if (unsorted[rank] != 0) {
                sorted.plays[sorted.first[rank] + next[k][rank]++] = {
                    MomentOf(cache, part.Play(i)).seconds, static_cast<uint32_t>(k),
                    static_cast<uint32_t>(i)};
            }
        }
    });
    const FreshArray<TimedPlay> scratch(total);
    const size_t threads = std::min<size_t>(ThreadCount(), lists.size());
    ForEachIndex(threads, [&](size_t t) {
        for (size_t j = t; j < lists.size(); j += threads) {
            const size_t first = sorted.first[lists[j]];
            MergeRuns(sorted.plays.data() + first, scratch.data() + first, sorted.count[lists[j]],
                      [](const TimedPlay& a, const TimedPlay& b) { return a.moment < b.moment; });
        }
    });
    return sorted;
}

// Writes every record once, straight into its sorted place. The plays of names in time order
// go, one thread per part, to that part's share of each name's stretch: every play is read
// once. The names that needed sorting follow.
// How many plays ahead the record to be written is fetched: the plays of a part go to many
// places at once, too many for the processor to foresee.
constexpr size_t kWriteAhead = 16;

void PrefetchForWrite(const PlaybackRecord* record) {
    const char* bytes = reinterpret_cast<const char*>(record);
    __builtin_prefetch(bytes, 1);
    __builtin_prefetch(bytes + offsetof(PlaybackRecord, time), 1);
    __builtin_prefetch(bytes + sizeof(PlaybackRecord) - 1, 1);
}

void WriteSorted(PlaybackLog& log, bool zeroed, const std::vector<PartWork>& parts,
                 const NameRanks& ranks, const std::vector<uint32_t>& starts,
                 const std::vector<uint8_t>& unsorted, const SortedPlays& sortedPlays) {
    PlaybackRecord* records = log.records;
    std::vector<std::vector<uint32_t>> partStarts = PartStarts(parts, starts);
    ForEachIndex(parts.size(), [&](size_t k) {
        const PartWork& part = parts[k];
        std::vector<uint32_t>& next = partStarts[k];
        for (size_t i = 0; i < part.count; ++i) {
            if (i + kWriteAhead < part.count) {
                PrefetchForWrite(records + next[part.RankOf(i + kWriteAhead)]);
            }
            const uint32_t rank = part.RankOf(i);
            if (unsorted[rank] == 0) {
                WriteRecord(records[next[rank]++], part.Play(i), ranks.names[rank], zeroed);
            }
        }
    });
    for (size_t rank = 0; rank < sortedPlays.count.size(); ++rank) {
        const TimedPlay* plays = sortedPlays.plays.data() + sortedPlays.first[rank];
        const uint32_t first = starts[rank];
        const std::string_view name = ranks.names[rank];
        ParallelFor(sortedPlays.count[rank], [&, plays, first, name](size_t begin, size_t end) {
            for (size_t j = begin; j < end; ++j) {
                const TimedPlay& play = plays[j];
                WriteRecord(records[first + j], parts[play.part].Play(play.index), name, zeroed);
            }
        });
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

// Returns how many rows there should be.
int32_t BuildTotalsFromCounts(PlaybackLog& log, const std::vector<uint32_t>& counts,
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
        // A row that finds no room is dropped; the caller tells it by the rows' count.
        static_cast<void>(AppendTotal(log, row));
    }
    return static_cast<int32_t>(used);
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
    const size_t plays = CountPlays(parts);
    const RecordRoom room = ReserveRecords(log, plays);
    if (room.fit < plays) {
        return {LoadStatus::kOutOfMemory, {}, ""};
    }
    const NameRanks ranks = RankNames(parts);
    const size_t rankCount = ranks.names.size();
    std::vector<PartWork> work = ShareOut(parts, room.fit, ranks);
    log.recordCount = static_cast<int32_t>(room.fit);

    ForEachPart(work, [rankCount](PartWork& part) { CountNames(part, rankCount); });
    std::vector<uint32_t> counts(rankCount, 0);
    for (const PartWork& part : work) {
        for (size_t rank = 0; rank < rankCount; ++rank) {
            counts[rank] += part.counts[rank];
        }
    }
    ForEachPart(work, [&counts](PartWork& part) { CheckMoments(part, counts); });
    for (const PartWork& part : work) {
        if (part.firstInvalid >= 0) {
            WriteInFileOrder(log, parts, room.fit, room.zeroed);
            LoadResult result{LoadStatus::kDateError, {}, ""};
            const ParsedPlay& play = part.Play(static_cast<size_t>(part.firstInvalid));
            WriteRecord(result.offending, play, part.collector->names.Name(play.nameId), false);
            return result;
        }
    }

    std::vector<uint32_t> starts(rankCount, 0);
    for (size_t rank = 1; rank < rankCount; ++rank) {
        starts[rank] = starts[rank - 1] + counts[rank - 1];
    }
    const std::vector<uint8_t> unsorted = UnsortedNames(work, rankCount);
    const bool anyUnsorted = std::find(unsorted.begin(), unsorted.end(), 1) != unsorted.end();
    const SortedPlays sortedPlays =
        anyUnsorted ? SortUnsorted(work, unsorted, counts) : SortedPlays{};
    WriteSorted(log, room.zeroed, work, ranks, starts, unsorted, sortedPlays);
    const int32_t totals = BuildTotalsFromCounts(log, counts, starts, ranks);
    if (log.totalCount != totals) {
        return {LoadStatus::kOutOfMemory, {}, ""};
    }
    return {LoadStatus::kLoaded, {}, ""};
}

// The whole load, with every way memory can run out (an array that cannot grow, a thread that
// cannot start) ending it with an empty log.
template <typename Collect>
LoadResult Load(PlaybackLog& log, Collect collect) {
    ResetLog(log);
    LoadResult result{LoadStatus::kOutOfMemory, {}, ""};
    try {
        PlayParts parts;
        std::string readFailure;
        if (!collect(parts, readFailure)) {
            result = {LoadStatus::kCannotOpen, {}, ""};
        } else if (!readFailure.empty()) {
            result = {LoadStatus::kReadError, {}, readFailure};
        } else {
            result = SortAndGroup(log, parts);
        }
    } catch (const std::exception&) {
        // bad_alloc, length_error or system_error: the standard library ran out of something
    }
    if (result.status == LoadStatus::kOutOfMemory || result.status == LoadStatus::kReadError) {
        ResetLog(log);
    }
    return result;
}

}  // namespace

LoadResult LoadSortAndGroup(const char* path, PlaybackLog& log) {
    return Load(log, [&](PlayParts& parts, std::string& readFailure) {
        return CollectFilePlays(path, log.filter, parts, readFailure);
    });
}

LoadResult LoadSortAndGroupBytes(std::string_view bytes, PlaybackLog& log) {
    return Load(log, [&](PlayParts& parts, std::string&) {
        CollectBytePlays(bytes, log.filter, parts);
        return true;
    });
}
