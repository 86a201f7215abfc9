#include "campaign/shared_plays.h"

#include <algorithm>

uint64_t SharedPlays::HashOf(const uint32_t* lines, size_t size) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ lines[i]) * 0x100000001b3u;
    }
    return hash ^ (hash >> 29);
}

bool SharedPlays::Same(const Set& set, const uint32_t* lines, size_t size) const {
    return set.size == size && std::equal(lines, lines + size, pool_.begin() + set.offset);
}

uint32_t SharedPlays::Intern(const std::vector<uint32_t>& lines) {
    if ((sets_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const uint64_t hash = HashOf(lines.data(), lines.size());
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            const auto id = static_cast<uint32_t>(sets_.size());
            sets_.push_back(
                {static_cast<uint32_t>(pool_.size()), static_cast<uint32_t>(lines.size()), hash});
            pool_.insert(pool_.end(), lines.begin(), lines.end());
            counts_.push_back(0);
            slots_[slot] = id + 1;
            return id;
        }
        const Set& set = sets_[slots_[slot] - 1];
        if (set.hash == hash && Same(set, lines.data(), lines.size())) {
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

void SharedPlays::MergeInto(SharedPlays& total) const {
    std::vector<uint32_t> lines;
    for (size_t set = 0; set < sets_.size(); ++set) {
        if (counts_[set] == 0) {
            continue;
        }
        lines.assign(pool_.begin() + sets_[set].offset,
                     pool_.begin() + sets_[set].offset + sets_[set].size);
        total.counts_[total.Intern(lines)] += counts_[set];
    }
}
