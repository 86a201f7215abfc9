#pragma once
// Whether a log reads as one screen playing one spot at a time: plays that start before the one
// before them has had its length, the clock going back, and the same line twice. It looks at the
// plays in the order the log has them; the figures are counted apart from it.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/campaign.h"

// One play as the check sees it.
struct CheckedPlay {
    int32_t day;          // day number
    int32_t local;        // seconds from midnight as the log writes them
    int64_t moment;       // seconds on one steady clock, across clock changes
    double length;        // seconds, at least 1
    bool inRepeatedHour;  // local time inside the hour that comes twice that day
    std::string_view name;
};

class PlausibilityCheck {
public:
    void Add(const CheckedPlay& play);
    void Finish(LogFinding (&findings)[kLogFindingKinds]) const;

private:
    bool SameLineSeen(std::string_view name) const;
    void Note(LogFindingKind kind, const CheckedPlay& play);

    struct DayCount {
        uint64_t count;
        int32_t firstSecond;
    };
    std::map<int32_t, DayCount> byDay_[kLogFindingKinds];
    bool any_ = false;
    int64_t moment_ = 0;  // of the play before
    double length_ = 0;
    int32_t day_ = 0;
    bool inRepeatedHour_ = false;
    std::vector<std::string> names_;  // the names at moment_, the first namesUsed_ of them
    size_t namesUsed_ = 0;
};
