#pragma once
// The stretches of one day that plays covered, in local seconds from midnight. Gaps no longer
// than the outage limit are closed as plays come, so a day keeps only as many stretches as it
// has silences worth naming, however many plays it had.
#include <cstdint>
#include <vector>

#include "campaign/calendar.h"

struct Stretch {
    int32_t start, end;  // [start, end)
};

class Coverage {
public:
    Coverage(ClockChange change, int32_t closeSeconds) : change_(change), close_(closeSeconds) {}

    void Add(int32_t start, int32_t end);
    void Merge(const Coverage& other);

    // The stretches of [from, to) with no play that really lasted more than the limit the
    // coverage was made with.
    std::vector<Stretch> SilencesIn(int32_t from, int32_t to) const;

private:
    bool Joins(const Stretch& earlier, const Stretch& later) const;
    void JoinAround(size_t index);

    ClockChange change_;
    int32_t close_;
    std::vector<Stretch> stretches_;  // sorted, apart by more than the limit
};
