#include "campaign/plausibility.h"

#include <algorithm>

bool AnyFinding(const LogFinding (&findings)[kLogFindingKinds]) {
    for (const LogFinding& finding : findings) {
        if (finding.count > 0) {
            return true;
        }
    }
    return false;
}

void PlausibilityCheck::AddUnusual(const CheckedPlay& play) {
    if (!any_) {
        return;
    }
    if (play.moment == moment_) {
        sameMoment_.push_back(name_);
        if (std::find(sameMoment_.begin(), sameMoment_.end(), play.name) != sameMoment_.end()) {
            Note(LogFindingKind::kDuplicate, play);
        } else if (length_ > 1.0) {
            Note(LogFindingKind::kOverlap, play);
        }
        return;
    }
    sameMoment_.clear();
    // The clock going back inside the hour that comes twice is the change itself.
    const bool changeOfHour = play.inRepeatedHour && inRepeatedHour_ && play.day == day_;
    if (!changeOfHour) {
        Note(LogFindingKind::kClockBack, play);
    }
}

void PlausibilityCheck::NoteDay(int kind, const CheckedPlay& play) {
    noted_[kind] = &byDay_[kind].try_emplace(play.day, DayCount{0, play.local}).first->second;
    noteDay_[kind] = play.day;
}

void PlausibilityCheck::Finish(LogFinding (&findings)[kLogFindingKinds]) const {
    for (int kind = 0; kind < kLogFindingKinds; ++kind) {
        LogFinding finding{0, 0, 0};
        uint64_t most = 0;
        const bool future = kind == static_cast<int>(LogFindingKind::kFuture);
        for (const auto& [day, count] : byDay_[kind]) {
            finding.count += count.count;
            // Of plays in the future the first; else the earliest of equally bad days.
            if (future ? most == 0 : count.count > most) {
                most = count.count;
                finding.worstDay = day;
                finding.firstSecond = count.firstSecond;
            }
        }
        findings[kind] = finding;
    }
}
