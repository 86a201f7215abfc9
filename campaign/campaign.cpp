#include "campaign/campaign.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include <sys/stat.h>

#include "base/paths.h"
#include "base/system_files.h"
#include "campaign/calendar.h"
#include "campaign/coverage.h"
#include "campaign/plausibility.h"
#include "campaign/spot_pattern.h"
#include "logdata/byte_source.h"
#include "logdata/line_reading.h"
#include "logdata/log_months.h"
#include "logdata/log_parser.h"
#include "logdata/parallel.h"

namespace {

struct PanelLine {
    size_t line;  // into the booking
    const BookingLine* booking;
    SpotPattern pattern;
    int32_t lastCounted;  // the line's last day, or the as-of day when that is earlier
};

// What one panel has to count: its lines that have begun by the as-of day and the days they book
// up to it.
struct PanelPlan {
    size_t panel;
    std::vector<PanelLine> lines;
    int32_t firstDay = 0, lastDay = -1;
    std::vector<uint8_t> booked;  // [day - firstDay]
    size_t Days() const { return static_cast<size_t>(lastDay - firstDay + 1); }
    const PanelLine* Find(size_t line) const {
        for (const PanelLine& panelLine : lines) {
            if (panelLine.line == line) {
                return &panelLine;
            }
        }
        return nullptr;
    }
};

bool AppliesTo(const BookingLine& line, const CampaignPanel& panel) {
    return line.panel.empty() || EqualIgnoringCase(line.panel, panel.name);
}

PanelPlan PlanPanel(size_t panel, const std::vector<BookingLine>& lines,
                    const std::vector<CampaignPanel>& panels, int32_t asOfDay) {
    PanelPlan plan{panel, {}, 0, -1, {}};
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!AppliesTo(lines[i], panels[panel]) || lines[i].firstDay > asOfDay) {
            continue;
        }
        const int32_t last = std::min(lines[i].lastDay, asOfDay);
        plan.lines.push_back({i, &lines[i], SpotPattern(lines[i].spot), last});
        const bool first = plan.lines.size() == 1;
        plan.firstDay = first ? lines[i].firstDay : std::min(plan.firstDay, lines[i].firstDay);
        plan.lastDay = first ? last : std::max(plan.lastDay, last);
    }
    if (plan.lines.empty()) {
        return plan;
    }
    plan.booked.assign(plan.Days(), 0);
    for (const PanelLine& line : plan.lines) {
        for (int32_t day = line.booking->firstDay; day <= line.lastCounted; ++day) {
            plan.booked[day - plan.firstDay] = 1;
        }
    }
    return plan;
}

struct MonthKey {
    uint32_t year, month;
    bool operator==(const MonthKey&) const = default;
};

std::vector<MonthKey> MonthsBooked(const PanelPlan& plan) {
    std::vector<MonthKey> months;
    for (size_t d = 0; d < plan.booked.size(); ++d) {
        const CivilDate date = DateOfDay(plan.firstDay + static_cast<int32_t>(d));
        if (plan.booked[d] != 0 &&
            (months.empty() || !(months.back() == MonthKey{date.year, date.month}))) {
            months.push_back({date.year, date.month});
        }
    }
    return months;
}

uint64_t StampKey(const PlayStamp& s) {
    return ((((uint64_t{s.year} * 13 + s.month) * 32 + s.day) * 24 + s.hour) * 60 + s.minute) * 60 +
           s.second;
}

constexpr uint32_t kMaxRememberedNames = 1 << 16;

// One log of one panel, counted.
class LogTally : public LineSink {
public:
    explicit LogTally(const PanelPlan& plan, int32_t closeSeconds)
        : plan_(plan),
          counts_(plan.lines.size() * plan.Days(), 0),
          anyPlays_(plan.Days(), 0),
          coverage_(plan.Days(), Coverage(closeSeconds)) {}

    size_t AddLines(const char* bytes, size_t size, bool isEnd) override {
        const size_t used = ForEachLogLine(bytes, size, isEnd, [this](const char* line, size_t n) {
            LogLine play;
            char scratch[kNameSize];
            if (ReadLogLine(line, n, play, scratch)) {
                Count(play);
            }
        });
        hash_.Update(bytes, used);
        size_ += used;
        return used;
    }

    void MergeInto(LogTally& total) const {
        for (size_t i = 0; i < counts_.size(); ++i) {
            total.counts_[i] += counts_[i];
        }
        for (size_t d = 0; d < anyPlays_.size(); ++d) {
            total.anyPlays_[d] += anyPlays_[d];
            total.coverage_[d].Merge(coverage_[d]);
        }
        for (const auto& [pair, count] : shared_) {
            total.shared_[pair] += count;
        }
    }

    LogEvidence Evidence(std::string path) {
        LogEvidence evidence{plan_.panel, std::move(path), size_, hash_.Finish(),
                             hasPlays_,   first_,          last_, {}};
        check_.Finish(evidence.findings);
        return evidence;
    }

    uint32_t Count(size_t line, size_t day) const { return counts_[line * plan_.Days() + day]; }
    uint32_t AnyPlays(size_t day) const { return anyPlays_[day]; }
    const Coverage& CoverageOf(size_t day) const { return coverage_[day]; }
    const std::map<std::pair<size_t, size_t>, uint64_t>& Shared() const { return shared_; }

private:
    void Count(const LogLine& play) {
        const bool timeValid = play.hour < 24 && play.minute < 60 && play.second < 60;
        const CivilDate date{play.year, play.month, play.day};
        if (!IsRealDate(date) || !timeValid) {
            return;
        }
        NoteStamp({play.year, play.month, play.day, play.hour, play.minute, play.second});
        const int32_t day = DayOf(date);
        const int32_t local = play.hour * 3600 + play.minute * 60 + play.second;
        const int32_t real = RealSecond(local);
        const double length = play.length > 1 ? std::min(play.length, 86400.0) : 1.0;
        const uint32_t name = NameId(play.name);
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
        CountForLines(play, day, d, name);
    }

    uint32_t NameId(std::string_view name) {
        if (names_.Size() >= kMaxRememberedNames) {
            // A log of ever new names: memory stays bounded, at the cost of matching again.
            names_ = NameTable();
            matching_.clear();
            check_.ForgetNames();
        }
        return names_.Intern(name);
    }

    bool InRepeatedHour(int32_t local) const {
        return change_ == ClockChange::kHourRepeated && local >= kChangedHourStart &&
               local < kChangedHourEnd;
    }

    // The second of the day's own timeline. On the day the hour repeats, the log's time going
    // back by more than half an hour inside that hour is its second pass.
    int32_t RealSecond(int32_t local) {
        if (InRepeatedHour(local)) {
            secondPass_ = secondPass_ || (lastInHour_ >= 0 && local < lastInHour_ - 1800);
            lastInHour_ = local;
        }
        return RealSecondOfDay(change_, local, secondPass_);
    }

    void CountForLines(const LogLine& play, int32_t day, size_t d, uint32_t id) {
        const std::vector<uint32_t>& matching = MatchingLines(id);
        size_t counted[2];
        size_t matches = 0;
        for (const uint32_t l : matching) {
            const BookingLine& line = *plan_.lines[l].booking;
            if (day < line.firstDay || day > line.lastDay ||
                !InWindow(line, play.hour, play.minute)) {
                continue;
            }
            ++counts_[l * plan_.Days() + d];
            if (matches < 2) {
                counted[matches] = l;
            }
            if (++matches == 2) {
                ++shared_[{counted[0], counted[1]}];
            } else if (matches > 2) {
                NoteSharedWithAll(matching, l, play, day);
            }
        }
    }

    // A third or later line that counts the play shares it with every earlier one.
    void NoteSharedWithAll(const std::vector<uint32_t>& matching, uint32_t l, const LogLine& play,
                           int32_t day) {
        for (const uint32_t earlier : matching) {
            if (earlier == l) {
                return;
            }
            const BookingLine& line = *plan_.lines[earlier].booking;
            if (day >= line.firstDay && day <= line.lastDay &&
                InWindow(line, play.hour, play.minute)) {
                ++shared_[{earlier, l}];
            }
        }
    }

    const std::vector<uint32_t>& MatchingLines(uint32_t id) {
        while (matching_.size() <= id) {
            const std::string_view name = names_.Name(static_cast<uint32_t>(matching_.size()));
            std::vector<uint32_t> lines;
            for (size_t l = 0; l < plan_.lines.size(); ++l) {
                if (plan_.lines[l].pattern.Matches(name)) {
                    lines.push_back(static_cast<uint32_t>(l));
                }
            }
            matching_.push_back(std::move(lines));
        }
        return matching_[id];
    }

    // The day's number, clock change and start on the steady clock, asked once a day.
    int32_t DayOf(const CivilDate& date) {
        if (!(date.year == lastDate_.year && date.month == lastDate_.month &&
              date.day == lastDate_.day)) {
            lastDate_ = date;
            lastDay_ = DayNumber(date);
            change_ = ClockChangeOn(lastDay_);
            dayStart_ =
                int64_t{lastDay_} * kSecondsPerDay - (SummerTimeAtMidnight(lastDay_) ? 7200 : 3600);
        }
        return lastDay_;
    }

    void NoteStamp(const PlayStamp& stamp) {
        const uint64_t key = StampKey(stamp);
        if (!hasPlays_ || key < StampKey(first_)) {
            first_ = stamp;
        }
        if (!hasPlays_ || key > StampKey(last_)) {
            last_ = stamp;
        }
        hasPlays_ = true;
    }

    const PanelPlan& plan_;
    std::vector<uint32_t> counts_;                          // [line][day]
    std::vector<uint32_t> anyPlays_;                        // [day]
    std::vector<Coverage> coverage_;                        // [day]
    std::map<std::pair<size_t, size_t>, uint64_t> shared_;  // panel lines
    NameTable names_;
    std::vector<std::vector<uint32_t>> matching_;  // [name id] -> panel lines
    CivilDate lastDate_{0, 0, 0};
    bool secondPass_ = false;  // a panel's log has one day whose hour repeats each year
    int32_t lastInHour_ = -1;
    int32_t lastDay_ = 0;
    ClockChange change_ = ClockChange::kNone;
    int64_t dayStart_ = 0;
    PlausibilityCheck check_;
    Sha256 hash_;
    uint64_t size_ = 0;
    bool hasPlays_ = false;
    PlayStamp first_{}, last_{};
};

struct LogTask {
    size_t plan = 0;
    MonthKey month{};
    std::string path;
    bool missing = false;
    std::string failure;  // the system's reason when it exists but cannot be read
    std::unique_ptr<LogTally> tally;
    LogEvidence evidence{};
};

// The bytes read so far against the total, and the caller's stop request, latched.
class ProgressTracker {
public:
    ProgressTracker(CampaignProgress* progress, uint64_t total)
        : progress_(progress), total_(total) {}

    void Add(size_t bytes) {
        if (progress_ != nullptr) {
            progress_->BytesRead(read_ += bytes, total_);
        }
    }
    bool Stopped() {
        if (!stopped_ && progress_ != nullptr && progress_->StopRequested()) {
            stopped_ = true;
        }
        return stopped_;
    }

private:
    CampaignProgress* progress_;
    uint64_t total_;
    std::atomic<uint64_t> read_{0};
    std::atomic<bool> stopped_{false};
};

// Feeds a log's tally block by block, counting the bytes; after a stop it only skips on.
class TrackedSink : public LineSink {
public:
    TrackedSink(LogTally& tally, ProgressTracker& tracker) : tally_(tally), tracker_(tracker) {}

    size_t AddLines(const char* bytes, size_t size, bool isEnd) override {
        if (tracker_.Stopped()) {
            return size;
        }
        const size_t used = tally_.AddLines(bytes, size, isEnd);
        tracker_.Add(used);
        return used;
    }

private:
    LogTally& tally_;
    ProgressTracker& tracker_;
};

void RunTask(LogTask& task, const PanelPlan& plan, int32_t closeSeconds, ProgressTracker& tracker) {
    struct stat info {};
    if (StatPath(task.path, info) != 0) {
        task.missing = errno == ENOENT || errno == ENOTDIR;
        task.failure = task.missing ? "" : std::strerror(errno);
        return;
    }
    const std::unique_ptr<ByteSource> source = OpenFileSource(task.path.c_str());
    if (source == nullptr) {
        task.failure = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : std::strerror(errno);
        return;
    }
    task.tally = std::make_unique<LogTally>(plan, closeSeconds);
    TrackedSink sink(*task.tally, tracker);
    task.failure = ReadLines(*source, 0, source->Size(), true, sink);
    if (!task.failure.empty()) {
        return;  // the size and digest of part of a log are no evidence of it
    }
    task.evidence = task.tally->Evidence(task.path);
}

// Every log on the cores, a whole log to a thread so that it is hashed in order.
void RunTasks(std::vector<LogTask>& tasks, const std::vector<PanelPlan>& plans,
              int32_t closeSeconds, ProgressTracker& tracker) {
    std::atomic<size_t> next{0};
    const size_t workers = std::min<size_t>(ThreadCount(), tasks.size());
    ForEachIndex(workers, [&](size_t) {
        for (size_t t = next++; t < tasks.size() && !tracker.Stopped(); t = next++) {
            RunTask(tasks[t], plans[tasks[t].plan], closeSeconds, tracker);
        }
    });
}

// The bytes of the logs there are to read, asked only when someone follows the count.
uint64_t BytesToRead(const std::vector<LogTask>& tasks, const CampaignProgress* progress) {
    uint64_t total = 0;
    for (const LogTask& task : tasks) {
        struct stat info {};
        if (progress != nullptr && StatPath(task.path, info) == 0 && S_ISREG(info.st_mode)) {
            total += static_cast<uint64_t>(info.st_size);
        }
    }
    return total;
}

}  // namespace

bool IsPlausible(const LogEvidence& log) {
    return !AnyFinding(log.findings);
}

std::string PanelLogPath(const CampaignPanel& panel, uint32_t year, uint32_t month) {
    std::string path = panel.folder;
    if (!path.empty() && path.back() != '/' && path.back() != kPathSeparator) {
        path += kPathSeparator;
    }
    return path + LogFilePath({year, month});
}

FiguresTotal TotalOf(const BookingLine& line, const LineFigures& figures) {
    FiguresTotal total{0, 0, 0, 0};
    for (const uint32_t delivered : figures.delivered) {
        total.booked += line.playsPerDay;
        total.delivered += delivered;
        total.bonus += delivered > line.playsPerDay ? delivered - line.playsPerDay : 0;
        total.daysShort += delivered < line.playsPerDay ? 1 : 0;
    }
    return total;
}

uint64_t MakeGoodPerDay(const BookingLine& line, const LineFigures& figures) {
    const FiguresTotal total = TotalOf(line, figures);
    if (figures.daysLeft == 0 || total.delivered >= total.booked) {
        return 0;
    }
    const uint64_t shortfall = total.booked - total.delivered;
    return line.playsPerDay + (shortfall + figures.daysLeft - 1) / figures.daysLeft;
}

namespace {

// What the logs of one panel came to, merged in month order, and where its newest log ends.
struct PanelTotal {
    const PanelPlan* plan = nullptr;  // null for a panel that no begun line books
    std::unique_ptr<LogTally> tally;
    std::vector<uint8_t> missingDay;  // [day]: its month has no log
    bool hasEnd = false;
    PlayStamp end{};
    int32_t endDay = 0, endSecond = 0;  // local seconds

    // Whether the log says nothing about the day from local second `from` on.
    bool EndedBy(int32_t day, int32_t from) const {
        return hasEnd && (day > endDay || (day == endDay && from > endSecond));
    }
};

std::vector<PanelPlan> PlanPanels(const std::vector<BookingLine>& lines,
                                  const std::vector<CampaignPanel>& panels, int32_t asOfDay) {
    std::vector<PanelPlan> plans;
    for (size_t p = 0; p < panels.size(); ++p) {
        plans.push_back(PlanPanel(p, lines, panels, asOfDay));
    }
    return plans;
}

std::vector<size_t> LinesWithoutPanel(const std::vector<BookingLine>& lines,
                                      const std::vector<CampaignPanel>& panels) {
    std::vector<size_t> without;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (std::none_of(panels.begin(), panels.end(),
                         [&](const CampaignPanel& panel) { return AppliesTo(lines[i], panel); })) {
            without.push_back(i);
        }
    }
    return without;
}

std::vector<LogTask> TasksFor(const std::vector<PanelPlan>& plans,
                              const std::vector<CampaignPanel>& panels) {
    std::vector<LogTask> tasks;
    for (size_t p = 0; p < plans.size(); ++p) {
        for (const MonthKey& month : MonthsBooked(plans[p])) {
            LogTask task;
            task.plan = p;
            task.month = month;
            task.path = PanelLogPath(panels[p], month.year, month.month);
            tasks.push_back(std::move(task));
        }
    }
    return tasks;
}

void MarkMissingMonth(const MonthKey& month, PanelTotal& total) {
    for (size_t d = 0; d < total.plan->Days(); ++d) {
        const CivilDate date = DateOfDay(total.plan->firstDay + static_cast<int32_t>(d));
        if (date.year == month.year && date.month == month.month) {
            total.missingDay[d] = 1;
        }
    }
}

void NoteEnd(const LogEvidence& log, PanelTotal& total) {
    if (log.hasPlays && (!total.hasEnd || StampKey(log.last) > StampKey(total.end))) {
        total.hasEnd = true;
        total.end = log.last;
        total.endDay = DayNumber({log.last.year, log.last.month, log.last.day});
        total.endSecond = log.last.hour * 3600 + log.last.minute * 60 + log.last.second;
    }
}

// Each panel's logs merged in month order; the missing ones and the evidence noted.
std::vector<PanelTotal> MergeTasks(const std::vector<PanelPlan>& plans, std::vector<LogTask>& tasks,
                                   int32_t closeSeconds, CampaignResult& result) {
    std::vector<PanelTotal> totals(plans.size());
    for (const PanelPlan& plan : plans) {
        if (!plan.lines.empty()) {
            PanelTotal& total = totals[plan.panel];
            total.plan = &plan;
            total.tally = std::make_unique<LogTally>(plan, closeSeconds);
            total.missingDay.assign(plan.Days(), 0);
        }
    }
    for (LogTask& task : tasks) {
        PanelTotal& total = totals[task.plan];
        if (task.missing) {
            result.missingLogs.push_back({task.plan, task.month.year, task.month.month, task.path});
            MarkMissingMonth(task.month, total);
            continue;
        }
        task.tally->MergeInto(*total.tally);
        NoteEnd(task.evidence, total);
        result.logs.push_back(std::move(task.evidence));
        task.tally.reset();
    }
    return totals;
}

uint32_t DaysLeft(const BookingLine& line, int32_t asOfDay) {
    return line.lastDay > asOfDay
               ? static_cast<uint32_t>(line.lastDay - std::max(line.firstDay - 1, asOfDay))
               : 0;
}

void AddFigures(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                const std::vector<PanelTotal>& totals, int32_t asOfDay, CampaignResult& result) {
    for (size_t line = 0; line < lines.size(); ++line) {
        for (size_t p = 0; p < panels.size(); ++p) {
            if (!AppliesTo(lines[line], panels[p])) {
                continue;
            }
            LineFigures figures{line, p, {}, DaysLeft(lines[line], asOfDay)};
            const PanelTotal& total = totals[p];
            const PanelLine* planned = total.plan == nullptr ? nullptr : total.plan->Find(line);
            for (int32_t day = lines[line].firstDay; planned && day <= planned->lastCounted;
                 ++day) {
                const auto l = static_cast<size_t>(planned - total.plan->lines.data());
                figures.delivered.push_back(
                    total.tally->Count(l, static_cast<size_t>(day - total.plan->firstDay)));
            }
            result.figures.push_back(std::move(figures));
        }
    }
}

// The booked windows of a day on a panel in the day's own timeline, joined where they touch or
// overlap; a window holds both passes of a repeated hour.
std::vector<Stretch> BookedWindows(const PanelPlan& plan, int32_t day) {
    std::vector<Stretch> windows;
    for (const PanelLine& line : plan.lines) {
        const BookingLine& booking = *line.booking;
        if (day >= booking.firstDay && day <= line.lastCounted) {
            const ClockChange change = ClockChangeOn(day);
            windows.push_back(
                {RealSecondOfDay(change, booking.from.hour * 3600 + booking.from.minute * 60,
                                 false),
                 RealSecondOfDay(change, booking.to.hour * 3600 + booking.to.minute * 60, true)});
        }
    }
    return JoinStretches(std::move(windows));
}

// The silences of a day's windows; on the day its newest log ends, only up to its last play.
void AddOutagesOfDay(const PanelTotal& total, int32_t day, size_t d, CampaignResult& result) {
    const ClockChange change = ClockChangeOn(day);
    const int32_t end = total.hasEnd && day == total.endDay
                            ? RealSecondOfDay(change, total.endSecond, true)
                            : INT32_MAX;
    for (const Stretch& window : BookedWindows(*total.plan, day)) {
        for (const Stretch& silence :
             total.tally->CoverageOf(d).SilencesIn(window.start, std::min(window.end, end))) {
            result.outages.push_back({total.plan->panel, day,
                                      LocalSecondOfDay(change, silence.start),
                                      LocalSecondOfDay(change, silence.end),
                                      silence.end - silence.start, silence.start});
        }
    }
}

void AddOutages(const PanelTotal& total, CampaignResult& result) {
    const PanelPlan& plan = *total.plan;
    for (size_t d = 0; d < plan.Days(); ++d) {
        const int32_t day = plan.firstDay + static_cast<int32_t>(d);
        if (plan.booked[d] == 0 || total.missingDay[d] != 0 || total.EndedBy(day, -1)) {
            continue;
        }
        if (total.tally->AnyPlays(d) == 0) {
            result.silentDays.push_back({plan.panel, day});
        }
        AddOutagesOfDay(total, day, d, result);
    }
}

bool CouldOverlap(const BookingLine& x, const BookingLine& y) {
    const SpotPattern px(x.spot);
    const SpotPattern py(y.spot);
    return x.firstDay <= y.lastDay && y.firstDay <= x.lastDay &&
           (x.panel.empty() || y.panel.empty() || EqualIgnoringCase(x.panel, y.panel)) &&
           (x.from.hour * 60 + x.from.minute < y.to.hour * 60 + y.to.minute) &&
           (y.from.hour * 60 + y.from.minute < x.to.hour * 60 + x.to.minute) &&
           px.ComparesWholeName() == py.ComparesWholeName() && px.MayOverlap(py);
}

void AddOverlaps(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                 CampaignResult& result) {
    std::map<std::pair<size_t, size_t>, uint64_t> shared;
    for (const PanelTotal& total : totals) {
        if (total.tally == nullptr) {
            continue;
        }
        for (const auto& [pair, count] : total.tally->Shared()) {
            shared[{total.plan->lines[pair.first].line, total.plan->lines[pair.second].line}] +=
                count;
        }
    }
    for (size_t a = 0; a < lines.size(); ++a) {
        for (size_t b = a + 1; b < lines.size(); ++b) {
            const auto found = shared.find({a, b});
            const uint64_t count = found == shared.end() ? 0 : found->second;
            if (count > 0 || CouldOverlap(lines[a], lines[b])) {
                result.overlaps.push_back({a, b, count});
            }
        }
    }
}

void AddShortDays(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                  CampaignResult& result) {
    for (size_t f = 0; f < result.figures.size(); ++f) {
        const LineFigures& figures = result.figures[f];
        const BookingLine& line = lines[figures.line];
        const PanelTotal& total = totals[figures.panel];
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            if (figures.delivered[i] >= line.playsPerDay) {
                continue;
            }
            const int32_t day = line.firstDay + static_cast<int32_t>(i);
            const auto d = static_cast<size_t>(day - total.plan->firstDay);
            const bool missing = total.missingDay[d] != 0;
            const int32_t from = line.from.hour * 3600 + line.from.minute * 60;
            const int32_t to = line.to.hour * 3600 + line.to.minute * 60;
            result.shortDays.push_back(
                {f, day, missing,
                 !missing && total.tally->AnyPlays(d) == 0 && !total.EndedBy(day, -1),
                 OutagesTouching(result, figures.panel, day, from, to),
                 !missing && total.EndedBy(day, to - 1)});
        }
    }
}

void AddLogEnds(const std::vector<PanelTotal>& totals, CampaignResult& result) {
    for (const PanelTotal& total : totals) {
        const bool explains =
            total.plan != nullptr &&
            std::any_of(result.shortDays.begin(), result.shortDays.end(), [&](const ShortDay& day) {
                return day.afterLogEnd && result.figures[day.figures].panel == total.plan->panel;
            });
        if (explains) {
            result.logEnds.push_back({total.plan->panel, total.endDay, total.endSecond});
        }
    }
}

// A proof made after the booking's last day is its final state, as of that day.
int32_t AsOfShown(const std::vector<BookingLine>& lines, int32_t asOfDay) {
    int32_t last = INT32_MIN;
    for (const BookingLine& line : lines) {
        last = std::max(last, line.lastDay);
    }
    return std::min(asOfDay, last);
}

CampaignResult Unreadable(const LogTask& task) {
    CampaignResult result;
    result.unreadableLog = task.path;
    result.unreadableReason = task.failure;
    return result;
}

}  // namespace

std::vector<size_t> OutagesTouching(const CampaignResult& result, size_t panel, int32_t day,
                                    int32_t from, int32_t to) {
    std::vector<size_t> touching;
    for (size_t o = 0; o < result.outages.size(); ++o) {
        const Outage& outage = result.outages[o];
        if (outage.panel == panel && outage.day == day && outage.start < to && outage.end > from) {
            touching.push_back(o);
        }
    }
    return touching;
}

CampaignResult EvaluateCampaign(const std::vector<BookingLine>& lines,
                                const std::vector<CampaignPanel>& panels,
                                const CampaignSettings& settings, CampaignProgress* progress) {
    const std::vector<PanelPlan> plans = PlanPanels(lines, panels, settings.asOfDay);
    std::vector<LogTask> tasks = TasksFor(plans, panels);
    const int32_t gapSeconds = settings.gapMinutes * 60;
    ProgressTracker tracker(progress, BytesToRead(tasks, progress));
    RunTasks(tasks, plans, gapSeconds, tracker);
    if (tracker.Stopped()) {
        CampaignResult stopped;
        stopped.stopped = true;
        return stopped;
    }
    const auto unreadable = std::find_if(tasks.begin(), tasks.end(),
                                         [](const LogTask& task) { return !task.failure.empty(); });
    if (unreadable != tasks.end()) {
        return Unreadable(*unreadable);
    }
    CampaignResult result;
    result.asOfDay = AsOfShown(lines, settings.asOfDay);
    result.linesWithoutPanel = LinesWithoutPanel(lines, panels);
    const std::vector<PanelTotal> totals = MergeTasks(plans, tasks, gapSeconds, result);
    AddFigures(lines, panels, totals, settings.asOfDay, result);
    for (const PanelTotal& total : totals) {
        if (total.plan != nullptr) {
            AddOutages(total, result);
        }
    }
    AddOverlaps(lines, totals, result);
    AddShortDays(lines, totals, result);
    AddLogEnds(totals, result);
    return result;
}
