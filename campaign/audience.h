#pragma once
// The audience file, "publikum.csv": how many people pass each panel in an hour, by weekday and
// time of day, for example from a traffic census or a count on site. It is read by the rules of
// the operator's files (campaign/operator_table.h); the impressions it gives are an estimate.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/operator_cells.h"
#include "campaign/operator_table.h"

constexpr int32_t kDaysPerWeek = 7;
constexpr int64_t kMaxContactsPerHour = 10000000;

struct AudienceRow {
    int32_t lineNumber;      // in the file, from 1
    std::string panel;       // "Panel", the folder's name, Windows-1250
    uint8_t weekdays;        // "Dny": bit 0 Monday to bit 6 Sunday
    ClockTime from, to;      // "Čas od", "Čas do": [from, to); 0:00 to 24:00 is the whole day
    double contactsPerHour;  // "Kontaktů za hodinu"
};

struct AudienceFile {
    std::vector<AudienceRow> rows;
    std::vector<BookingError> errors;  // every error of the file; no rows are usable then
};

[[nodiscard]] AudienceFile ParseAudience(std::string_view bytes);

// "po-pá", "so,ne", "pá-po" (a range may run past Sunday): the days as AudienceRow's bits, or 0
// when the text is no list of days.
uint8_t ParseWeekdays(std::string_view text);

// The contacts per hour of one panel by weekday (0 Monday) and minute of the day (local time, as
// the log writes it).
class PanelAudience {
public:
    bool Empty() const { return perHour_.empty(); }
    bool Covers(int32_t weekday, int32_t minute) const;
    // 0 where no row covers the minute.
    double PerHour(int32_t weekday, int32_t minute) const;

private:
    friend PanelAudience AudienceOf(const AudienceFile& file, std::string_view panelFolderName);
    static constexpr double kUncovered = -1;
    std::vector<double> perHour_;  // kDaysPerWeek * kMinutesPerDay when some row names the panel
};

// The rows of a panel folder, its name compared as Windows compares names (either case).
PanelAudience AudienceOf(const AudienceFile& file, std::string_view panelFolderName);
