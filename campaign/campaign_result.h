#pragma once
// What a campaign's count comes to: for each booking line, panel and booked day up to the as-of
// day the plays delivered; the outages, the days without a play, the missing months and the logs
// that end early, which explain a shortfall; and the size, SHA-256, first and last play and
// plausibility of every log read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "campaign/audience.h"
#include "campaign/panel_register.h"
#include "campaign/plausibility.h"
#include "digest/sha256.h"

struct CampaignPanel {
    std::string name;             // the folder's own name, Windows-1250
    std::string folder;           // as given, "" for the working directory
    PanelAudience audience = {};  // empty without audience data for the panel
    // Its row of the panel register; none without one, or when the register lacks the panel.
    std::optional<RegisteredPanel> registered = std::nullopt;
};

struct PlayStamp {
    uint16_t year, month, day, hour, minute, second;
};

// Orders stamps in time.
uint64_t StampKey(const PlayStamp& stamp);

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

// The booked windows' time on the counted days that the logs tell, in the days' own timeline,
// and how much of it lay in outages.
struct WindowTime {
    int64_t windowSeconds = 0;
    int64_t outageSeconds = 0;
    // Counted days no log tells: the month's log is missing, or the panel's newest log ends
    // before the day; they and the time after the newest log's last play are left out.
    uint32_t daysUnknown = 0;
};

// One booking line on one panel: the plays delivered on each of its days up to the as-of day,
// and how many of its days are still to come.
struct LineFigures {
    size_t line;                      // index into the booking's lines
    size_t panel;                     // index into the panels
    std::vector<uint32_t> delivered;  // [day - line.firstDay]
    uint32_t daysLeft = 0;            // booked days after the as-of day
    double playedSeconds = 0;         // the spot lengths of the plays counted
    // The estimated contacts of the plays counted, and the plays no audience row covers; both 0
    // without audience data for the panel.
    double impressions = 0;
    uint64_t playsWithoutAudience = 0;
    WindowTime time = {};
    // The plays counted by the hour of the day they started in, on the panel's clock.
    std::array<uint32_t, 24> playsPerHour = {};
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
    std::vector<LogEnd> logEnds;    // panels whose newest log ends before the as-of day is over
    std::vector<LogEnd> panelEnds;  // the last play of every panel's newest log, panel order
    std::vector<WindowTime> panelTimes;  // [panel]: its lines' windows joined
    int32_t asOfDay = 0;                 // the last day counted, at most the booking's last day
};

// The caller asked the count to stop.
struct CampaignStopped {};

// A log that exists but could not be read ends the count.
struct UnreadableLog {
    std::string path;
    std::string reason;  // the system's, Windows-1250
};

// How a count ended: counted, stopped, or on a log it could not read.
using CampaignOutcome = std::variant<CampaignResult, CampaignStopped, UnreadableLog>;

// The outages of a panel's day that touch local [from, to), as indices into result.outages.
std::vector<size_t> OutagesTouching(const CampaignResult& result, size_t panel, int32_t day,
                                    int32_t from, int32_t to);
