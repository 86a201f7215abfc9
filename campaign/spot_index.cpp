#include "campaign/spot_index.h"

#include <algorithm>

#include "base/paths.h"

namespace {

std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    }
    return folded;
}

void Append(std::vector<uint32_t>& to, const std::vector<uint32_t>& indices) {
    to.insert(to.end(), indices.begin(), indices.end());
}

}  // namespace

SpotIndex::SpotIndex(const std::vector<SpotPattern>& patterns) {
    for (const SpotPattern& pattern : patterns) {
        Add(pattern);
    }
}

void SpotIndex::Add(const SpotPattern& pattern) {
    const uint32_t index = count_++;
    if (!pattern.HasWildcard()) {
        ExactNames& names = pattern.ComparesWholeName() ? wholeNames_ : bareNames_;
        names[pattern.Folded()].push_back(index);
        return;
    }
    // The folded text decides both the match and whether the whole name is compared.
    const auto [at, added] = wildcardOf_.try_emplace(pattern.Folded(), wildcards_.size());
    if (added) {
        wildcards_.push_back({pattern, {}});
    }
    wildcards_[at->second].indices.push_back(index);
}

std::vector<uint32_t> SpotIndex::Matching(std::string_view name) const {
    std::vector<uint32_t> found;
    if (const auto whole = wholeNames_.find(Folded(name)); whole != wholeNames_.end()) {
        Append(found, whole->second);
    }
    if (const auto bare = bareNames_.find(Folded(NameWithoutFolders(name)));
        bare != bareNames_.end()) {
        Append(found, bare->second);
    }
    for (const Wildcard& wildcard : wildcards_) {
        if (wildcard.pattern.Matches(name)) {
            Append(found, wildcard.indices);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}
