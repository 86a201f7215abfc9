#include "campaign/campaign.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include <sys/stat.h>

#include "campaign/calendar.h"
#include "campaign/coverage.h"
#include "campaign/spot_pattern.h"
#include "logdata/byte_source.h"
#include "logdata/line_reading.h"
#include "logdata/log_months.h"
#include "logdata/log_parser.h"
#include "logdata/parallel.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

struct PanelLine {
    size_t line;  // into the booking
    const BookingLine* booking;
    SpotPattern pattern;
};

// What one panel has to count: its lines and the days they book.
struct PanelPlan {
    size_t panel;
    std::vector<PanelLine> lines;
    int32_t firstDay = 0, lastDay = -1;
    std::vector<uint8_t> booked;       // [day - firstDay]
    std::vector<ClockChange> changes;  // [day - firstDay], asked once rather than per play
    size_t Days() const { return static_cast<size_t>(lastDay - firstDay + 1); }
};

bool AppliesTo(const BookingLine& line, const CampaignPanel& panel) {
    return line.panel.empty() || EqualIgnoringCase(line.panel, panel.name);
}

PanelPlan PlanPanel(size_t panel, const std::vector<BookingLine>& lines,
                    const std::vector<CampaignPanel>& panels) {
    PanelPlan plan{panel, {}, 0, -1, {}, {}};
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!AppliesTo(lines[i], panels[panel])) {
            continue;
        }
        plan.lines.push_back({i, &lines[i], SpotPattern(lines[i].spot)});
        plan.firstDay =
            plan.lines.size() == 1 ? lines[i].firstDay : std::min(plan.firstDay, lines[i].firstDay);
        plan.lastDay =
            plan.lines.size() == 1 ? lines[i].lastDay : std::max(plan.lastDay, lines[i].lastDay);
    }
    if (plan.lines.empty()) {
        return plan;
    }
    plan.booked.assign(plan.Days(), 0);
    for (size_t d = 0; d < plan.Days(); ++d) {
        plan.changes.push_back(ClockChangeOn(plan.firstDay + static_cast<int32_t>(d)));
    }
    for (const PanelLine& line : plan.lines) {
        for (int32_t day = line.booking->firstDay; day <= line.booking->lastDay; ++day) {
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
        return {plan_.panel, std::move(path), size_, hash_.Finish(), hasPlays_, first_, last_};
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
        if (day < plan_.firstDay || day > plan_.lastDay) {
            return;
        }
        const auto d = static_cast<size_t>(day - plan_.firstDay);
        ++anyPlays_[d];
        if (plan_.booked[d] != 0) {
            Cover(play, day);
        }
        CountForLines(play, day, d);
    }

    // A play covers the day from its start for its length, at least a second. On the day the
    // hour repeats, the log's time going back by more than half an hour inside that hour is its
    // second pass.
    void Cover(const LogLine& play, int32_t day) {
        const ClockChange change = plan_.changes[static_cast<size_t>(day - plan_.firstDay)];
        const int32_t local = play.hour * 3600 + play.minute * 60 + play.second;
        if (change == ClockChange::kHourRepeated && local >= kChangedHourStart &&
            local < kChangedHourEnd) {
            secondPass_ = secondPass_ || (lastInHour_ >= 0 && local < lastInHour_ - 1800);
            lastInHour_ = local;
        }
        const int32_t start = RealSecondOfDay(change, local, secondPass_);
        const double length = play.length > 1 ? std::min(play.length, 86400.0) : 1.0;
        coverage_[static_cast<size_t>(day - plan_.firstDay)].Add(
            start, start + static_cast<int32_t>(length + 0.999));
    }

    void CountForLines(const LogLine& play, int32_t day, size_t d) {
        if (names_.Size() >= kMaxRememberedNames) {
            // A log of ever new names: memory stays bounded, at the cost of matching again.
            names_ = NameTable();
            matching_.clear();
        }
        const uint32_t id = names_.Intern(play.name);
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

    int32_t DayOf(const CivilDate& date) {
        if (!(date.year == lastDate_.year && date.month == lastDate_.month &&
              date.day == lastDate_.day)) {
            lastDate_ = date;
            lastDay_ = DayNumber(date);
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
    if (stat(task.path.c_str(), &info) != 0) {
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
    ReadLines(*source, 0, source->Size(), true, sink);
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
        if (progress != nullptr && stat(task.path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            total += static_cast<uint64_t>(info.st_size);
        }
    }
    return total;
}

}  // namespace

std::string PanelLogPath(const CampaignPanel& panel, uint32_t year, uint32_t month) {
    std::string path = panel.folder;
    if (!path.empty() && path.back() != '/' && path.back() != kSeparator) {
        path += kSeparator;
    }
    return path + LogFilePath({year, month});
}

FiguresTotal TotalOf(const BookingLine& line, const LineFigures& figures) {
    FiguresTotal total{0, 0, 0};
    for (const uint32_t delivered : figures.delivered) {
        total.booked += line.playsPerDay;
        total.delivered += delivered;
        total.daysShort += delivered < line.playsPerDay ? 1 : 0;
    }
    return total;
}

namespace {

// What the logs of one panel came to, merged in month order.
struct PanelTotal {
    const PanelPlan* plan;
    std::unique_ptr<LogTally> tally;
    std::vector<uint8_t> missingDay;  // [day]: its month has no log
};

void AddFigures(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                CampaignResult& result) {
    for (size_t line = 0; line < lines.size(); ++line) {
        for (const PanelTotal& total : totals) {
            const PanelPlan& plan = *total.plan;
            for (size_t l = 0; l < plan.lines.size(); ++l) {
                if (plan.lines[l].line != line) {
                    continue;
                }
                LineFigures figures{line, plan.panel, {}};
                for (int32_t day = lines[line].firstDay; day <= lines[line].lastDay; ++day) {
                    figures.delivered.push_back(
                        total.tally->Count(l, static_cast<size_t>(day - plan.firstDay)));
                }
                result.figures.push_back(std::move(figures));
            }
        }
    }
}

// The booked windows of a day on a panel in the day's own timeline, joined where they touch or
// overlap; a window holds both passes of a repeated hour.
std::vector<Stretch> BookedWindows(const PanelPlan& plan, int32_t day) {
    std::vector<Stretch> windows;
    for (const PanelLine& line : plan.lines) {
        const BookingLine& booking = *line.booking;
        if (day >= booking.firstDay && day <= booking.lastDay) {
            const ClockChange change = ClockChangeOn(day);
            windows.push_back(
                {RealSecondOfDay(change, booking.from.hour * 3600 + booking.from.minute * 60,
                                 false),
                 RealSecondOfDay(change, booking.to.hour * 3600 + booking.to.minute * 60, true)});
        }
    }
    std::sort(windows.begin(), windows.end(),
              [](const Stretch& a, const Stretch& b) { return a.start < b.start; });
    std::vector<Stretch> joined;
    for (const Stretch& window : windows) {
        if (!joined.empty() && window.start <= joined.back().end) {
            joined.back().end = std::max(joined.back().end, window.end);
        } else {
            joined.push_back(window);
        }
    }
    return joined;
}

void AddOutages(const PanelTotal& total, CampaignResult& result) {
    const PanelPlan& plan = *total.plan;
    for (size_t d = 0; d < plan.Days(); ++d) {
        if (plan.booked[d] == 0 || total.missingDay[d] != 0) {
            continue;
        }
        const int32_t day = plan.firstDay + static_cast<int32_t>(d);
        if (total.tally->AnyPlays(d) == 0) {
            result.silentDays.push_back({plan.panel, day});
        }
        for (const Stretch& window : BookedWindows(plan, day)) {
            for (const Stretch& silence :
                 total.tally->CoverageOf(d).SilencesIn(window.start, window.end)) {
                const ClockChange change = ClockChangeOn(day);
                result.outages.push_back({plan.panel, day, LocalSecondOfDay(change, silence.start),
                                          LocalSecondOfDay(change, silence.end),
                                          silence.end - silence.start});
            }
        }
    }
}

void AddOverlaps(const std::vector<BookingLine>& lines, const std::vector<PanelTotal>& totals,
                 CampaignResult& result) {
    std::map<std::pair<size_t, size_t>, uint64_t> shared;
    for (const PanelTotal& total : totals) {
        for (const auto& [pair, count] : total.tally->Shared()) {
            shared[{total.plan->lines[pair.first].line, total.plan->lines[pair.second].line}] +=
                count;
        }
    }
    for (size_t a = 0; a < lines.size(); ++a) {
        for (size_t b = a + 1; b < lines.size(); ++b) {
            const BookingLine& x = lines[a];
            const BookingLine& y = lines[b];
            const SpotPattern px(x.spot);
            const SpotPattern py(y.spot);
            const bool samePart = px.ComparesWholeName() == py.ComparesWholeName();
            const bool couldOverlap =
                x.firstDay <= y.lastDay && y.firstDay <= x.lastDay &&
                (x.panel.empty() || y.panel.empty() || EqualIgnoringCase(x.panel, y.panel)) &&
                (x.from.hour * 60 + x.from.minute < y.to.hour * 60 + y.to.minute) &&
                (y.from.hour * 60 + y.from.minute < x.to.hour * 60 + x.to.minute) && samePart &&
                px.MayOverlap(py);
            const auto found = shared.find({a, b});
            const uint64_t count = found == shared.end() ? 0 : found->second;
            if (couldOverlap || count > 0) {
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
        const PanelTotal* total = nullptr;
        for (const PanelTotal& candidate : totals) {
            total = candidate.plan->panel == figures.panel ? &candidate : total;
        }
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            if (figures.delivered[i] >= line.playsPerDay) {
                continue;
            }
            const int32_t day = line.firstDay + static_cast<int32_t>(i);
            const auto d = static_cast<size_t>(day - total->plan->firstDay);
            ShortDay shortDay{f,
                              day,
                              total->missingDay[d] != 0,
                              total->missingDay[d] == 0 && total->tally->AnyPlays(d) == 0,
                              {}};
            const int32_t from = line.from.hour * 3600 + line.from.minute * 60;
            const int32_t to = line.to.hour * 3600 + line.to.minute * 60;
            for (size_t o = 0; o < result.outages.size(); ++o) {
                const Outage& outage = result.outages[o];
                if (outage.panel == figures.panel && outage.day == day && outage.start < to &&
                    outage.end > from) {
                    shortDay.outages.push_back(o);
                }
            }
            result.shortDays.push_back(std::move(shortDay));
        }
    }
}

}  // namespace

CampaignResult EvaluateCampaign(const std::vector<BookingLine>& lines,
                                const std::vector<CampaignPanel>& panels,
                                const CampaignSettings& settings, CampaignProgress* progress) {
    CampaignResult result;
    std::vector<PanelPlan> plans;
    for (size_t p = 0; p < panels.size(); ++p) {
        plans.push_back(PlanPanel(p, lines, panels));
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        bool anyPanel = false;
        for (const CampaignPanel& panel : panels) {
            anyPanel = anyPanel || AppliesTo(lines[i], panel);
        }
        if (!anyPanel) {
            result.linesWithoutPanel.push_back(i);
        }
    }
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
    const int32_t gapSeconds = settings.gapMinutes * 60;
    ProgressTracker tracker(progress, BytesToRead(tasks, progress));
    RunTasks(tasks, plans, gapSeconds, tracker);
    if (tracker.Stopped()) {
        result = CampaignResult{};
        result.stopped = true;
        return result;
    }

    std::vector<PanelTotal> totals;
    for (const PanelPlan& plan : plans) {
        if (!plan.lines.empty()) {
            totals.push_back({&plan, std::make_unique<LogTally>(plan, gapSeconds),
                              std::vector<uint8_t>(plan.Days(), 0)});
        }
    }
    for (LogTask& task : tasks) {
        if (!task.failure.empty()) {
            result = CampaignResult{};
            result.unreadableLog = task.path;
            result.unreadableReason = task.failure;
            return result;
        }
        PanelTotal* total = nullptr;
        for (PanelTotal& candidate : totals) {
            total = candidate.plan == &plans[task.plan] ? &candidate : total;
        }
        if (task.missing) {
            result.missingLogs.push_back({task.plan, task.month.year, task.month.month, task.path});
            for (size_t d = 0; d < total->plan->Days(); ++d) {
                const CivilDate date = DateOfDay(total->plan->firstDay + static_cast<int32_t>(d));
                if (date.year == task.month.year && date.month == task.month.month) {
                    total->missingDay[d] = 1;
                }
            }
            continue;
        }
        task.tally->MergeInto(*total->tally);
        result.logs.push_back(std::move(task.evidence));
        task.tally.reset();
    }
    AddFigures(lines, totals, result);
    for (const PanelTotal& total : totals) {
        AddOutages(total, result);
    }
    AddOverlaps(lines, totals, result);
    AddShortDays(lines, totals, result);
    return result;
}
