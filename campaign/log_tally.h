#pragma once
// One log of one panel counted into the panel's plan: each line's plays per day, any play per
// day, the stretches the plays covered, the plays two lines shared, the log's size, SHA-256,
// first and last play and plausibility. It takes the log's bytes block by block, so it counts
// a file and bytes in memory alike.
#include <array>
#include <cstddef>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/calendar.h"
#include "campaign/campaign_result.h"
#include "campaign/counted_play.h"
#include "campaign/coverage.h"
#include "campaign/panel_plan.h"
#include "campaign/plausibility.h"
#include "campaign/shared_plays.h"
#include "digest/sha256.h"
#include "logdata/log_parser.h"

class LogTally : public LineSink {
public:
    // A silence up to closeSeconds long is no outage, so coverage closes it as plays come. A play
    // after madeAt (seconds since 1970), the proof's moment, is in the future.
    LogTally(const PanelPlan& plan, int32_t closeSeconds, int64_t madeAt = INT64_MAX);

    size_t AddLines(const char* bytes, size_t size, bool isEnd) override;

    // Each play counted toward a line from now on also goes to sink (null: to none).
    void RecordTo(PlaySink* sink) { plays_ = sink; }

    // Adds this log's counts to the panel's total, logs in month order.
    void MergeInto(LogTally& total) const;

    // The log's evidence, once all its bytes were added.
    LogEvidence Evidence(std::string path);

    // The plays a line of the plan counted on one of its counted days.
    uint32_t Count(size_t line, int32_t day) const {
        const PanelLine& planned = plan_.lines[line];
        return counts_[planned.cell + static_cast<size_t>(day - planned.booking->firstDay)];
    }
    // The spot lengths of the plays a line of the plan counted.
    double PlayedSeconds(size_t line) const { return seconds_[line]; }
    // The estimated contacts of a line's plays, and its plays no audience row covers.
    double Impressions(size_t line) const { return impressions_[line]; }
    uint64_t PlaysWithoutAudience(size_t line) const { return withoutAudience_[line]; }
    // A line's plays by the hour of the day they started in.
    std::array<uint32_t, 24> PlaysPerHour(size_t line) const;
    // [day - plan.firstDay]
    uint32_t AnyPlays(size_t day) const { return anyPlays_[day]; }
    const Coverage& CoverageOf(size_t day) const { return coverage_[day]; }
    // The plays that lines of the plan counted alike.
    const SharedPlays& Shared() const { return shared_; }

private:
    void Count(const LogLine& play);
    uint32_t NameId(std::string_view name);
    bool InRepeatedHour(int32_t local) const;
    int32_t RealSecond(int32_t local);
    void CountForLines(int32_t day, int32_t minute, double length, uint32_t id);
    void RecordPlay(uint32_t line, bool overBooked, int32_t minute, double length);
    const std::vector<uint32_t>& MatchingLines(uint32_t id);
    void FindStretch(uint32_t id, int32_t day, int32_t minute);
    void AddImpressions(const std::vector<uint32_t>& lines, int32_t minute, double length);
    int32_t DayOf(const CivilDate& date);
    void NoteStamp(const PlayStamp& stamp);

    // The lines that count a name's plays from one minute of a day to another, the same for every
    // play between: a name's plays come in time order, so it is found again for most of them.
    struct CountingStretch {
        int32_t day = INT32_MIN;
        int32_t from = 0, to = 0;     // minutes of the day, [from, to)
        std::vector<uint32_t> lines;  // panel lines
    };

    const PanelPlan& plan_;
    std::vector<uint32_t> counts_;           // [plan cell]
    std::vector<double> seconds_;            // [plan line]
    std::vector<double> impressions_;        // [plan line]
    std::vector<uint64_t> withoutAudience_;  // [plan line]
    std::vector<uint32_t> hours_;            // [plan line * 24 + hour]
    std::vector<uint32_t> anyPlays_;         // [day]
    std::vector<Coverage> coverage_;         // [day]
    SharedPlays shared_;
    NameTable names_;
    std::vector<std::vector<uint32_t>> matching_;  // [name id] -> panel lines
    std::vector<uint32_t> matchingSet_;            // [name id] -> into shared_, or kNoSet
    std::vector<CountingStretch> stretches_;       // [name id]
    CivilDate lastDate_{0, 0, 0};
    bool secondPass_ = false;  // a panel's log has one day whose hour repeats each year
    int32_t lastInHour_ = -1;
    int32_t lastDay_ = 0;
    int32_t weekday_ = 0;
    ClockChange change_ = ClockChange::kNone;
    int64_t dayStart_ = 0;
    PlausibilityCheck check_;
    Sha256 hash_;
    uint64_t size_ = 0;
    bool hasPlays_ = false;
    PlayStamp first_{}, last_{};
    // The play being counted, for the sink.
    PlaySink* plays_ = nullptr;
    uint64_t lineOffset_ = 0;
    std::string_view playName_;
    int32_t playLocal_ = 0, playReal_ = 0;
};
