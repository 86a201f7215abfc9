#include "campaign/shared_plays.h"

#include <algorithm>

namespace {

uint64_t HashOf(const std::vector<uint32_t>& lines) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (const uint32_t line : lines) {
        hash = (hash ^ line) * 0x100000001b3u;
    }
    return hash ^ (hash >> 29);
}

size_t IndexOf(const std::vector<int32_t>& sorted, int32_t value) {
    return static_cast<size_t>(std::lower_bound(sorted.begin(), sorted.end(), value) -
                               sorted.begin());
}

// Sums of the counts over every day row before r and every stretch before s.
class CountSums {
public:
    CountSums(const std::vector<uint32_t>& counts, size_t rows, size_t stretches)
        : width_(stretches + 1), sums_((rows + 1) * width_, 0) {
        for (size_t r = 0; r < rows; ++r) {
            uint64_t row = 0;
            for (size_t s = 0; s < stretches; ++s) {
                row += counts[r * stretches + s];
                sums_[(r + 1) * width_ + s + 1] = sums_[r * width_ + s + 1] + row;
            }
        }
    }
    // The counts of rows [r1, r2) and stretches [s1, s2).
    uint64_t Of(size_t r1, size_t r2, size_t s1, size_t s2) const {
        return At(r2, s2) - At(r1, s2) - At(r2, s1) + At(r1, s1);
    }

private:
    uint64_t At(size_t r, size_t s) const { return sums_[r * width_ + s]; }
    size_t width_;
    std::vector<uint64_t> sums_;
};

}  // namespace

uint32_t SharedPlays::Intern(const std::vector<uint32_t>& lines) {
    if ((sets_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const uint64_t hash = HashOf(lines);
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            Set set{lines, hash, {0, 24 * 60}, {}, {}};
            for (const uint32_t line : lines) {
                set.edges.push_back(extents_[line].from);
                set.edges.push_back(extents_[line].to);
            }
            std::sort(set.edges.begin(), set.edges.end());
            set.edges.erase(std::unique(set.edges.begin(), set.edges.end()), set.edges.end());
            sets_.push_back(std::move(set));
            slots_[slot] = static_cast<uint32_t>(sets_.size());
            return static_cast<uint32_t>(sets_.size() - 1);
        }
        const Set& set = sets_[slots_[slot] - 1];
        if (set.hash == hash && set.lines == lines) {
            return slots_[slot] - 1;
        }
    }
}

void SharedPlays::Grow() {
    slots_.assign(std::max<size_t>(16, slots_.size() * 2), 0);
    const size_t mask = slots_.size() - 1;
    for (size_t id = 0; id < sets_.size(); ++id) {
        size_t slot = sets_[id].hash & mask;
        while (slots_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = static_cast<uint32_t>(id) + 1;
    }
}

// The row of the day, made where there is none; plays come mostly in day order.
size_t SharedPlays::RowOf(Set& set, int32_t day) {
    if (!set.days.empty() && set.days.back() == day) {
        return set.days.size() - 1;
    }
    const size_t row =
        set.days.empty() || set.days.back() < day ? set.days.size() : IndexOf(set.days, day);
    if (row == set.days.size() || set.days[row] != day) {
        set.days.insert(set.days.begin() + static_cast<long>(row), day);
        set.counts.insert(set.counts.begin() + static_cast<long>(row * set.Stretches()),
                          set.Stretches(), 0);
    }
    return row;
}

void SharedPlays::Add(uint32_t id, int32_t day, int32_t minute) {
    Set& set = sets_[id];
    const auto stretch = static_cast<size_t>(
        std::upper_bound(set.edges.begin(), set.edges.end(), minute) - set.edges.begin() - 1);
    ++set.counts[RowOf(set, day) * set.Stretches() + stretch];
}

void SharedPlays::MergeInto(SharedPlays& total) const {
    for (const Set& set : sets_) {
        const uint32_t id = total.Intern(set.lines);
        for (size_t r = 0; r < set.days.size(); ++r) {
            Set& into = total.sets_[id];
            const size_t row = total.RowOf(into, set.days[r]);
            for (size_t s = 0; s < set.Stretches(); ++s) {
                into.counts[row * into.Stretches() + s] += set.counts[r * set.Stretches() + s];
            }
        }
    }
}

// Each two lines of the set whose days and windows meet share the plays counted there: the
// lines in the order of their first days, so that only lines whose days meet are paired.
void SharedPlays::ForEachPair(const std::function<void(uint32_t, uint32_t, uint64_t)>& pair) const {
    for (const Set& set : sets_) {
        if (!set.days.empty()) {
            PairsOf(set, pair);
        }
    }
}

void SharedPlays::PairsOf(const Set& set,
                          const std::function<void(uint32_t, uint32_t, uint64_t)>& pair) const {
    const CountSums sums(set.counts, set.days.size(), set.Stretches());
    std::vector<uint32_t> order = set.lines;
    std::stable_sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
        return extents_[x].firstDay < extents_[y].firstDay;
    });
    std::vector<uint32_t> running;  // lines whose days may still meet a later one's
    for (const uint32_t b : order) {
        const LineExtent& y = extents_[b];
        size_t kept = 0;
        for (const uint32_t a : running) {
            const LineExtent& x = extents_[a];
            if (x.lastDay < y.firstDay) {
                continue;
            }
            running[kept++] = a;
            const int32_t from = std::max(x.from, y.from), to = std::min(x.to, y.to);
            if (from >= to) {
                continue;
            }
            const uint64_t plays =
                sums.Of(IndexOf(set.days, y.firstDay),
                        static_cast<size_t>(std::upper_bound(set.days.begin(), set.days.end(),
                                                             std::min(x.lastDay, y.lastDay)) -
                                            set.days.begin()),
                        IndexOf(set.edges, from), IndexOf(set.edges, to));
            if (plays > 0) {
                pair(std::min(a, b), std::max(a, b), plays);
            }
        }
        running.resize(kept);
        running.push_back(b);
    }
}
