#pragma once
// The plays that two booking lines of a panel both counted. A line counts a play of a name it
// matches, on one of its days, inside its window: so two lines share exactly the plays of names
// that both match, on the days and inside the minutes that both book. The plays are kept as
// counts per day and stretch of minutes for each distinct set of lines that a name matches, and
// the pairs are made of them once at the end: a play costs one count, however many lines share
// it, and the memory grows with the sets, days and windows, not with the plays.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// A line's booked days (inclusive) and window (minutes of the day, [from, to)).
struct LineExtent {
    int32_t firstDay, lastDay;
    int32_t from, to;
};

class SharedPlays {
public:
    static constexpr uint32_t kNoSet = UINT32_MAX;

    // extents: [line], kept by the caller for as long as this lives.
    explicit SharedPlays(const std::vector<LineExtent>& extents) : extents_(extents) {}

    // The id of the set of lines (ascending, at least two) that a name matches.
    uint32_t Intern(const std::vector<uint32_t>& lines);
    // A play of a name whose lines are the set, counted by two or more of them.
    void Add(uint32_t set, int32_t day, int32_t minute);
    void MergeInto(SharedPlays& total) const;

    // Calls pair(a, b, plays) for two lines a < b of one set that shared plays; a pair in
    // several sets is called once per set.
    void ForEachPair(const std::function<void(uint32_t, uint32_t, uint64_t)>& pair) const;

private:
    struct Set {
        std::vector<uint32_t> lines;
        uint64_t hash;
        std::vector<int32_t> edges;    // every window edge of the lines, 0 and 24:00 among them
        std::vector<int32_t> days;     // ascending, the days with a play
        std::vector<uint32_t> counts;  // [day row][edge stretch]
        size_t Stretches() const { return edges.size() - 1; }
    };
    void PairsOf(const Set& set,
                 const std::function<void(uint32_t, uint32_t, uint64_t)>& pair) const;
    size_t RowOf(Set& set, int32_t day);
    void Grow();

    const std::vector<LineExtent>& extents_;
    std::vector<Set> sets_;
    std::vector<uint32_t> slots_;  // open addressing: set id + 1, 0 = free
};
