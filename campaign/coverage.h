#pragma once
// The stretches of one day that plays covered, in seconds of the day's own timeline
// (campaign/calendar.h). Gaps no longer than the outage limit are closed as plays come, so a day
// keeps only as many stretches as it has silences worth naming, however many plays it had.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Stretch {
    int32_t start, end;  // [start, end)
};

// The stretches sorted, and joined where they touch or overlap.
std::vector<Stretch> JoinStretches(std::vector<Stretch> stretches);

class Coverage {
public:
    explicit Coverage(int32_t closeSeconds) : close_(closeSeconds) {}

    void Add(int32_t start, int32_t end);
    void Merge(const Coverage& other);

    // The stretches of [from, to) with no play that lasted more than the limit.
    std::vector<Stretch> SilencesIn(int32_t from, int32_t to) const;

private:
    bool Joins(const Stretch& earlier, const Stretch& later) const;
    void JoinAround(size_t index);

    int32_t close_;
    std::vector<Stretch> stretches_;  // sorted, apart by more than the limit
};
