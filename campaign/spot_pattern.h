#pragma once
// Which plays a booking line counts: its spot compared with a play's name as Windows compares
// file names (letters of either case alike, Czech letters too), "*" standing for any run of
// characters. A spot without a backslash is compared with the name without its folders.
#include <string>
#include <string_view>

// The capital of a Windows-1250 letter; any other byte as it is.
unsigned char FoldCase(unsigned char byte);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

class SpotPattern {
public:
    explicit SpotPattern(std::string_view spot);  // Windows-1250

    bool Matches(std::string_view name) const;
    bool ComparesWholeName() const { return wholeName_; }
    bool HasWildcard() const { return folded_.find('*') != std::string::npos; }
    // The spot with each letter made capital: the name a pattern without "*" stands for.
    const std::string& Folded() const { return folded_; }
    // Whether some name could match both (only for two patterns that compare the same part).
    bool MayOverlap(const SpotPattern& other) const;

private:
    std::string folded_;
    bool wholeName_;
};
