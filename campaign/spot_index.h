#pragma once
// Which of many spot patterns match a name, without comparing the name with each of them: the
// patterns without "*" are found by the name's folded text, and only those with "*" are compared,
// each distinct one once.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "campaign/spot_pattern.h"

class SpotIndex {
public:
    SpotIndex() = default;
    explicit SpotIndex(const std::vector<SpotPattern>& patterns);

    // Adds the next pattern; its index is the count of patterns added before it.
    void Add(const SpotPattern& pattern);

    // The indices, ascending, of the patterns whose Matches(name) holds.
    std::vector<uint32_t> Matching(std::string_view name) const;

private:
    struct Wildcard {
        SpotPattern pattern;
        std::vector<uint32_t> indices;
    };
    using ExactNames = std::unordered_map<std::string, std::vector<uint32_t>>;

    uint32_t count_ = 0;
    ExactNames wholeNames_;  // patterns with a "\": the whole name, folded
    ExactNames bareNames_;   // the others: the name without its folders, folded
    std::vector<Wildcard> wildcards_;
    std::unordered_map<std::string, size_t> wildcardOf_;  // folded pattern -> into wildcards_
};
