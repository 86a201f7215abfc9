#include "campaign/log_tally.h"

#include <algorithm>

#include "logdata/playback_log.h"

namespace {

constexpr uint32_t kMaxRememberedNames = 1 << 16;

}  // namespace

LogTally::LogTally(const PanelPlan& plan, int32_t closeSeconds, int64_t madeAt)
    : plan_(plan),
      counts_(plan.cells, 0),
      seconds_(plan.lines.size(), 0),
      impressions_(plan.lines.size(), 0),
      withoutAudience_(plan.lines.size(), 0),
      hours_(plan.lines.size() * 24, 0),
      anyPlays_(plan.Days(), 0),
      coverage_(plan.Days(), Coverage(closeSeconds)),
      shared_(plan.extents),
      check_(madeAt) {}

size_t LogTally::AddLines(const char* bytes, size_t size, bool isEnd) {
    const size_t used = ForEachLogLine(bytes, size, isEnd, [&](const char* line, size_t n) {
        LogLine play;
        char scratch[kNameSize];
        if (ReadLogLine(line, n, play, scratch)) {
            lineOffset_ = size_ + static_cast<uint64_t>(line - bytes);
            Count(play);
        }
    });
    hash_.Update(bytes, used);
    size_ += used;
    return used;
}

void LogTally::MergeInto(LogTally& total) const {
    for (size_t i = 0; i < counts_.size(); ++i) {
        total.counts_[i] += counts_[i];
    }
    for (size_t l = 0; l < seconds_.size(); ++l) {
        total.seconds_[l] += seconds_[l];
        total.impressions_[l] += impressions_[l];
        total.withoutAudience_[l] += withoutAudience_[l];
    }
    for (size_t h = 0; h < hours_.size(); ++h) {
        total.hours_[h] += hours_[h];
    }
    for (size_t d = 0; d < anyPlays_.size(); ++d) {
        total.anyPlays_[d] += anyPlays_[d];
        total.coverage_[d].Merge(coverage_[d]);
    }
    shared_.MergeInto(total.shared_);
}

std::array<uint32_t, 24> LogTally::PlaysPerHour(size_t line) const {
    std::array<uint32_t, 24> hours{};
    std::copy_n(hours_.begin() + static_cast<std::ptrdiff_t>(line * 24), 24, hours.begin());
    return hours;
}

LogEvidence LogTally::Evidence(std::string path) {
    LogEvidence evidence{plan_.panel, std::move(path), size_, hash_.Finish(),
                         hasPlays_,   first_,          last_, {}};
    check_.Finish(evidence.findings);
    return evidence;
}

void LogTally::Count(const LogLine& play) {
    const bool timeValid = play.hour < 24 && play.minute < 60 && play.second < 60;
    const CivilDate date{play.year, play.month, play.day};
    if (!IsRealDate(date) || !timeValid) {
        return;
    }
    NoteStamp({play.year, play.month, play.day, play.hour, play.minute, play.second});
    const int32_t day = DayOf(date);
    const int32_t local = SecondOfDay({play.hour, play.minute}) + play.second;
    const int32_t real = RealSecond(local);
    const double length = play.length > 1 ? std::min(play.length, 86400.0) : 1.0;
    const uint32_t name = NameId(play.name);
    playName_ = play.name;
    playLocal_ = local;
    playReal_ = real;
    check_.Add({day, local, dayStart_ + real, length, InRepeatedHour(local), name});
    if (day < plan_.firstDay || day > plan_.lastDay) {
        return;
    }
    const auto d = static_cast<size_t>(day - plan_.firstDay);
    ++anyPlays_[d];
    if (plan_.booked[d] != 0) {
        // A play covers the day from its start for its length, at least a second.
        coverage_[d].Add(real, real + static_cast<int32_t>(length + 0.999));
    }
    CountForLines(day, MinuteOfDay({play.hour, play.minute}), length, name);
}

uint32_t LogTally::NameId(std::string_view name) {
    if (names_.Size() >= kMaxRememberedNames) {
        // A log of ever new names: memory stays bounded, at the cost of matching again.
        names_ = NameTable();
        matching_.clear();
        matchingSet_.clear();
        stretches_.clear();
        check_.ForgetNames();
    }
    return names_.Intern(name);
}

bool LogTally::InRepeatedHour(int32_t local) const {
    return change_ == ClockChange::kHourRepeated && local >= kChangedHourStart &&
           local < kChangedHourEnd;
}

// The second of the day's own timeline. On the day the hour repeats, the log's time going back
// by more than half an hour inside that hour is its second pass.
int32_t LogTally::RealSecond(int32_t local) {
    if (InRepeatedHour(local)) {
        secondPass_ = secondPass_ || (lastInHour_ >= 0 && local < lastInHour_ - 1800);
        lastInHour_ = local;
    }
    return RealSecondOfDay(change_, local, secondPass_);
}

void LogTally::CountForLines(int32_t day, int32_t minute, double length, uint32_t id) {
    if (stretches_.size() <= id) {
        stretches_.resize(id + 1);
    }
    const CountingStretch& stretch = stretches_[id];
    if (stretch.day != day || minute < stretch.from || minute >= stretch.to) {
        FindStretch(id, day, minute);
    }
    for (const uint32_t l : stretch.lines) {
        const PanelLine& line = plan_.lines[l];
        uint32_t& count = counts_[line.cell + static_cast<size_t>(day - line.booking->firstDay)];
        if (plays_ != nullptr) {
            RecordPlay(l, count >= line.booking->playsPerDay, minute, length);
        }
        ++count;
        seconds_[l] += length;
        ++hours_[size_t{l} * 24 + static_cast<size_t>(minute / 60)];
    }
    if (plan_.audience != nullptr) {
        AddImpressions(stretch.lines, minute, length);
    }
    if (stretch.lines.size() >= 2) {
        shared_.Add(matchingSet_[id], day, minute);
    }
}

void LogTally::RecordPlay(uint32_t line, bool overBooked, int32_t minute, double length) {
    const bool covered = plan_.audience != nullptr && plan_.audience->Covers(weekday_, minute);
    const bool repeated = InRepeatedHour(playLocal_);
    plays_->Add({line, lineOffset_, lastDay_, playLocal_, dayStart_ + playReal_, length, overBooked,
                 static_cast<uint8_t>(repeated ? (secondPass_ ? 2 : 1) : 0), covered,
                 covered ? plan_.audience->PerHour(weekday_, minute) * length / 3600 : 0,
                 playName_});
}

// A play's contacts are the audience per hour of its weekday and start minute for its length.
void LogTally::AddImpressions(const std::vector<uint32_t>& lines, int32_t minute, double length) {
    if (!plan_.audience->Covers(weekday_, minute)) {
        for (const uint32_t l : lines) {
            ++withoutAudience_[l];
        }
        return;
    }
    const double contacts = plan_.audience->PerHour(weekday_, minute) * length / 3600;
    for (const uint32_t l : lines) {
        impressions_[l] += contacts;
    }
}

// The lines that count the name's play at the minute, and how far before and after it the same
// lines count: up to the nearest edge of a window of a line booked that day.
void LogTally::FindStretch(uint32_t id, int32_t day, int32_t minute) {
    CountingStretch& stretch = stretches_[id];
    stretch.day = day;
    stretch.from = 0;
    stretch.to = kMinutesPerDay;
    stretch.lines.clear();
    for (const uint32_t l : MatchingLines(id)) {
        const BookingLine& line = *plan_.lines[l].booking;
        if (day < line.firstDay || day > line.lastDay) {
            continue;
        }
        const int32_t from = MinuteOfDay(line.from);
        const int32_t to = MinuteOfDay(line.to);
        if (minute < from) {
            stretch.to = std::min(stretch.to, from);
        } else if (minute >= to) {
            stretch.from = std::max(stretch.from, to);
        } else {
            stretch.lines.push_back(l);
            stretch.from = std::max(stretch.from, from);
            stretch.to = std::min(stretch.to, to);
        }
    }
}

const std::vector<uint32_t>& LogTally::MatchingLines(uint32_t id) {
    while (matching_.size() <= id) {
        matching_.push_back(
            plan_.index.Matching(names_.Name(static_cast<uint32_t>(matching_.size()))));
        matchingSet_.push_back(matching_.back().size() >= 2 ? shared_.Intern(matching_.back())
                                                            : SharedPlays::kNoSet);
    }
    return matching_[id];
}

// The day's number, clock change and start on the steady clock, asked once a day.
int32_t LogTally::DayOf(const CivilDate& date) {
    if (!(date.year == lastDate_.year && date.month == lastDate_.month &&
          date.day == lastDate_.day)) {
        lastDate_ = date;
        lastDay_ = DayNumber(date);
        change_ = ClockChangeOn(lastDay_);
        weekday_ = WeekdayOf(lastDay_);
        dayStart_ =
            int64_t{lastDay_} * kSecondsPerDay - (SummerTimeAtMidnight(lastDay_) ? 7200 : 3600);
    }
    return lastDay_;
}

void LogTally::NoteStamp(const PlayStamp& stamp) {
    const uint64_t key = StampKey(stamp);
    if (!hasPlays_ || key < StampKey(first_)) {
        first_ = stamp;
    }
    if (!hasPlays_ || key > StampKey(last_)) {
        last_ = stamp;
    }
    hasPlays_ = true;
}
