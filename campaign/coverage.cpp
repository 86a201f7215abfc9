#include "campaign/coverage.h"

#include <algorithm>

bool Coverage::Joins(const Stretch& earlier, const Stretch& later) const {
    return later.start - earlier.end <= close_;
}

void Coverage::Add(int32_t start, int32_t end) {
    const Stretch play{start, end};
    // Plays come mostly in time order: the last stretch grows.
    if (!stretches_.empty() && stretches_.back().start <= start) {
        Stretch& last = stretches_.back();
        if (Joins(last, play)) {
            last.end = std::max(last.end, end);
            return;
        }
    }
    const auto place = std::upper_bound(
        stretches_.begin(), stretches_.end(), start,
        [](int32_t value, const Stretch& stretch) { return value < stretch.start; });
    const auto index = static_cast<size_t>(place - stretches_.begin());
    stretches_.insert(place, play);
    JoinAround(index);
}

void Coverage::JoinAround(size_t index) {
    if (index > 0 && Joins(stretches_[index - 1], stretches_[index])) {
        stretches_[index - 1].end = std::max(stretches_[index - 1].end, stretches_[index].end);
        stretches_.erase(stretches_.begin() + static_cast<long>(index));
        --index;
    }
    while (index + 1 < stretches_.size() && Joins(stretches_[index], stretches_[index + 1])) {
        stretches_[index].end = std::max(stretches_[index].end, stretches_[index + 1].end);
        stretches_.erase(stretches_.begin() + static_cast<long>(index) + 1);
    }
}

void Coverage::Merge(const Coverage& other) {
    for (const Stretch& stretch : other.stretches_) {
        Add(stretch.start, stretch.end);
    }
}

std::vector<Stretch> Coverage::SilencesIn(int32_t from, int32_t to) const {
    std::vector<Stretch> silences;
    int32_t cursor = from;
    const auto keep = [&](int32_t start, int32_t end) {
        if (end - start > close_) {
            silences.push_back({start, end});
        }
    };
    for (const Stretch& stretch : stretches_) {
        if (stretch.end <= cursor) {
            continue;
        }
        if (stretch.start >= to) {
            break;
        }
        keep(cursor, stretch.start);
        cursor = stretch.end;
    }
    keep(cursor, to);
    return silences;
}

std::vector<Stretch> JoinStretches(std::vector<Stretch> stretches) {
    std::sort(stretches.begin(), stretches.end(),
              [](const Stretch& a, const Stretch& b) { return a.start < b.start; });
    std::vector<Stretch> joined;
    for (const Stretch& stretch : stretches) {
        if (!joined.empty() && stretch.start <= joined.back().end) {
            joined.back().end = std::max(joined.back().end, stretch.end);
        } else {
            joined.push_back(stretch);
        }
    }
    return joined;
}
