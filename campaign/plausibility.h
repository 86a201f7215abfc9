#pragma once
// Whether a log reads as one screen playing one spot at a time: plays that start before the one
// before them has had its length, the clock going back, and the same line twice. It looks at the
// plays in the order the log has them; the figures are counted apart from it.
#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

// What makes a log implausible for one screen playing one spot at a time, or a play that cannot
// have happened yet; the figures count its plays all the same.
enum class LogFindingKind { kOverlap, kClockBack, kDuplicate, kFuture };
constexpr int kLogFindingKinds = 4;

// How often one kind was found, the day with the most of them and the first time on that day;
// for plays in the future the first of them, the day and time it is dated with.
struct LogFinding {
    uint64_t count;
    int32_t worstDay;     // day number, when count > 0
    int32_t firstSecond;  // local seconds from midnight on worstDay
};

bool AnyFinding(const LogFinding (&findings)[kLogFindingKinds]);

// One play as the check sees it.
struct CheckedPlay {
    int32_t day;          // day number
    int32_t local;        // seconds from midnight as the log writes them
    int64_t moment;       // seconds since 1970 in UTC, across clock changes
    double length;        // seconds, at least 1
    bool inRepeatedHour;  // local time inside the hour that comes twice that day
    uint32_t name;        // the name's id in the caller's name table
};

class PlausibilityCheck {
public:
    // A play that starts after `madeAt` (seconds since 1970) is in the future.
    explicit PlausibilityCheck(int64_t madeAt = INT64_MAX) : madeAt_(madeAt) {}

    // Most plays come after the one before: that path stays short, as it runs for every play.
    void Add(const CheckedPlay& play) {
        if (play.moment > madeAt_) {
            Note(LogFindingKind::kFuture, play);
        }
        if (any_ && play.moment > moment_) {
            if (static_cast<double>(moment_ - play.moment) + length_ > 1.0) {
                Note(LogFindingKind::kOverlap, play);
            }
            sameMoment_.clear();
        } else {
            AddUnusual(play);
        }
        any_ = true;
        moment_ = play.moment;
        length_ = play.length;
        day_ = play.day;
        inRepeatedHour_ = play.inRepeatedHour;
        name_ = play.name;
    }
    // The caller's name table starts again: the ids seen so far mean nothing any more.
    void ForgetNames() {
        sameMoment_.clear();
        name_ = UINT32_MAX;
    }
    void Finish(LogFinding (&findings)[kLogFindingKinds]) const;

private:
    void AddUnusual(const CheckedPlay& play);
    void Note(LogFindingKind kind, const CheckedPlay& play) {
        const int k = static_cast<int>(kind);
        if (noted_[k] == nullptr || noteDay_[k] != play.day) {
            NoteDay(k, play);
        }
        ++noted_[k]->count;
        noted_[k]->firstSecond = std::min(noted_[k]->firstSecond, play.local);
    }
    void NoteDay(int kind, const CheckedPlay& play);

    struct DayCount {
        uint64_t count;
        int32_t firstSecond;
    };
    std::map<int32_t, DayCount> byDay_[kLogFindingKinds];
    // The day last noted of each kind: findings come in runs, a map search for each is too dear.
    int32_t noteDay_[kLogFindingKinds] = {};
    DayCount* noted_[kLogFindingKinds] = {};
    int64_t madeAt_;
    bool any_ = false;
    int64_t moment_ = 0;  // of the play before
    double length_ = 0;
    int32_t day_ = 0;
    bool inRepeatedHour_ = false;
    uint32_t name_ = UINT32_MAX;        // of the play before
    std::vector<uint32_t> sameMoment_;  // the names before it at the same moment
};
