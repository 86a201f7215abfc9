#pragma once
// A campaign against the panels' logs as of a day: for each booking line, panel and booked day up
// to it the plays delivered; the outages, the days without a play, the missing months and the
// logs that end early, which explain a shortfall; and the size, SHA-256, first and last play and
// plausibility of every log read. It streams the logs: memory grows with panels, days and booking
// lines, never with the number of plays.
#include <cstddef>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "campaign/booking.h"
#include "campaign/plausibility.h"
#include "digest/sha256.h"

struct CampaignPanel {
    std::string name;    // the folder's own name, Windows-1250
    std::string folder;  // as given, "" for the working directory
};

struct PlayStamp {
    uint16_t year, month, day, hour, minute, second;
};

struct LogEvidence {
    size_t panel;
    std::string path;
    uint64_t size;  // the bytes read and hashed
    Sha256Digest digest;
    bool hasPlays;  // first and last are set
    PlayStamp first, last;
    LogFinding findings[kLogFindingKinds] = {};  // [LogFindingKind]
};

bool IsPlausible(const LogEvidence& log);

struct MissingLog {
    size_t panel;
    uint32_t year, month;
    std::string path;
};

// One booking line on one panel: the plays delivered on each of its days up to the as-of day,
// and how many of its days are still to come.
struct LineFigures {
    size_t line;                      // index into the booking's lines
    size_t panel;                     // index into the panels
    std::vector<uint32_t> delivered;  // [day - line.firstDay]
    uint32_t daysLeft = 0;            // booked days after the as-of day
};

struct Outage {
    size_t panel;
    int32_t day;
    int32_t start, end;     // local seconds from midnight, as the log writes them
    int32_t seconds;        // how long it really lasted, across a clock change too
    int32_t realStart = 0;  // start in the day's own timeline (campaign/calendar.h)
};

struct SilentDay {
    size_t panel;
    int32_t day;
};

// Two booking lines that can count the same play: it is counted for both.
struct BookingOverlap {
    size_t first, second;  // indices into the booking's lines
    uint64_t sharedPlays;
};

// A booked day that got fewer plays than booked, and what the logs say about it.
struct ShortDay {
    size_t figures;  // index into CampaignResult::figures
    int32_t day;
    bool logMissing;
    bool noPlayAtAll;
    std::vector<size_t> outages;  // indices into CampaignResult::outages inside the line's window
    bool afterLogEnd = false;     // the panel's newest log ends before the line's window does
};

// The last play of a panel's newest log: later booked days cannot be told from it yet.
struct LogEnd {
    size_t panel;
    int32_t day;
    int32_t second;  // local seconds from midnight
};

struct CampaignResult {
    std::vector<LineFigures> figures;  // booking order, then panel order
    std::vector<Outage> outages;       // panel, then time order
    std::vector<SilentDay> silentDays;
    std::vector<MissingLog> missingLogs;
    std::vector<LogEvidence> logs;  // panel, then month order
    std::vector<BookingOverlap> overlaps;
    std::vector<size_t> linesWithoutPanel;  // booking lines whose panel was not given
    std::vector<ShortDay> shortDays;
    std::vector<LogEnd> logEnds;  // panels whose newest log ends before the as-of day is over
    int32_t asOfDay = 0;          // the last day counted, at most the booking's last day
    // A log that exists but could not be read ends the evaluation: nothing else is set then.
    std::string unreadableLog;
    std::string unreadableReason;
    // The caller asked the count to stop: nothing else is set then either.
    bool stopped = false;
};

constexpr int32_t kEveryBookedDay = INT32_MAX;

struct CampaignSettings {
    int32_t gapMinutes = 15;            // a silence of more than this is an outage
    int32_t asOfDay = kEveryBookedDay;  // the last day counted (campaign/as_of_day.h)
};

// What a running count tells its caller, and how the caller stops it. Both are called from the
// counting threads, so an implementation must be safe to call from several at once.
class CampaignProgress {
public:
    virtual ~CampaignProgress() = default;
    // `read` bytes of the `total` bytes of the logs to count have been read.
    virtual void BytesRead(uint64_t read, uint64_t total) = 0;
    // Asked between pieces of work; once true, the count ends without a result.
    virtual bool StopRequested() = 0;
};

// progress may be null: the count then runs to its end unobserved.
CampaignResult EvaluateCampaign(const std::vector<BookingLine>& lines,
                                const std::vector<CampaignPanel>& panels,
                                const CampaignSettings& settings,
                                CampaignProgress* progress = nullptr);

// The outages of a panel's day that touch local [from, to), as indices into result.outages.
std::vector<size_t> OutagesTouching(const CampaignResult& result, size_t panel, int32_t day,
                                    int32_t from, int32_t to);

// The log of a month in a panel's folder.
std::string PanelLogPath(const CampaignPanel& panel, uint32_t year, uint32_t month);

// Booked and delivered over the counted days of one line on one panel, the plays above the booked
// count of their day (bonus, part of delivered) and the days short.
struct FiguresTotal {
    uint64_t booked, delivered, bonus;
    uint32_t daysShort;
};
FiguresTotal TotalOf(const BookingLine& line, const LineFigures& figures);

// The plays per day that the days left need to reach the booked total: the booked rate plus the
// shortfall spread over them, rounded up; 0 when nothing is short or no day is left.
uint64_t MakeGoodPerDay(const BookingLine& line, const LineFigures& figures);
