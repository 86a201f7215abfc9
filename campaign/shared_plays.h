#pragma once
// The plays that two or more booking lines of a panel counted alike, kept per distinct set of
// lines: a play adds one to its set, and the pairs are made of the sets once at the end, so the
// cost of a play does not grow with the lines that share it.
#include <cstddef>
#include <cstdint>
#include <vector>

class SharedPlays {
public:
    static constexpr uint32_t kNoSet = UINT32_MAX;

    // The id of the set of lines (sorted, at least two), made on its first use.
    uint32_t Intern(const std::vector<uint32_t>& lines);
    void Add(uint32_t set) { ++counts_[set]; }
    void MergeInto(SharedPlays& total) const;

    // Calls pair(a, b, plays) for each two lines a < b of every set that had plays; a pair in
    // several sets is called once per set.
    template <typename Pair>
    void ForEachPair(const Pair& pair) const {
        for (size_t set = 0; set < sets_.size(); ++set) {
            if (counts_[set] == 0) {
                continue;
            }
            const uint32_t* lines = pool_.data() + sets_[set].offset;
            for (uint32_t a = 0; a < sets_[set].size; ++a) {
                for (uint32_t b = a + 1; b < sets_[set].size; ++b) {
                    pair(lines[a], lines[b], counts_[set]);
                }
            }
        }
    }

private:
    struct Set {
        uint32_t offset, size;
        uint64_t hash;
    };

    static uint64_t HashOf(const uint32_t* lines, size_t size);
    bool Same(const Set& set, const uint32_t* lines, size_t size) const;
    void Grow();

    std::vector<uint32_t> pool_;    // the sets' lines, one after another
    std::vector<Set> sets_;         // [set id]
    std::vector<uint64_t> counts_;  // [set id]
    std::vector<uint32_t> slots_;   // open addressing: set id + 1, 0 = free
};
