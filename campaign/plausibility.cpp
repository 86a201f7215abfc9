#include "campaign/plausibility.h"

#include <algorithm>

bool IsPlausible(const LogEvidence& log) {
    for (const LogFinding& finding : log.findings) {
        if (finding.count > 0) {
            return false;
        }
    }
    return true;
}

bool PlausibilityCheck::SameLineSeen(std::string_view name) const {
    for (size_t i = 0; i < namesUsed_; ++i) {
        if (names_[i] == name) {
            return true;
        }
    }
    return false;
}

void PlausibilityCheck::Add(const CheckedPlay& play) {
    const bool sameMoment = any_ && play.moment == moment_;
    // The clock going back inside the hour that comes twice is the change itself.
    const bool changeOfHour =
        play.inRepeatedHour && inRepeatedHour_ && play.day == day_ && play.moment < moment_;
    if (sameMoment && SameLineSeen(play.name)) {
        Note(LogFindingKind::kDuplicate, play);
    } else if (any_ && play.moment < moment_ && !changeOfHour) {
        Note(LogFindingKind::kClockBack, play);
    } else if (any_ && play.moment >= moment_ &&
               static_cast<double>(moment_ - play.moment) + length_ > 1.0) {
        Note(LogFindingKind::kOverlap, play);
    }
    namesUsed_ = sameMoment ? namesUsed_ : 0;
    if (namesUsed_ < names_.size()) {
        names_[namesUsed_].assign(play.name);
    } else {
        names_.emplace_back(play.name);
    }
    ++namesUsed_;
    any_ = true;
    moment_ = play.moment;
    length_ = play.length;
    day_ = play.day;
    inRepeatedHour_ = play.inRepeatedHour;
}

void PlausibilityCheck::Note(LogFindingKind kind, const CheckedPlay& play) {
    DayCount& day =
        byDay_[static_cast<int>(kind)].try_emplace(play.day, DayCount{0, play.local}).first->second;
    ++day.count;
    day.firstSecond = std::min(day.firstSecond, play.local);
}

void PlausibilityCheck::Finish(LogFinding (&findings)[kLogFindingKinds]) const {
    for (int kind = 0; kind < kLogFindingKinds; ++kind) {
        LogFinding finding{0, 0, 0};
        uint64_t most = 0;
        for (const auto& [day, count] : byDay_[kind]) {
            finding.count += count.count;
            if (count.count > most) {  // the earliest of equally bad days
                most = count.count;
                finding.worstDay = day;
                finding.firstSecond = count.firstSecond;
            }
        }
        findings[kind] = finding;
    }
}
