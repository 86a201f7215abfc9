#pragma once
// The booking file: what a client booked, one line per spot, panel and stretch of days, as the
// operator writes it in Excel ("CSV (oddělený středníkem)") or in Notepad. Semicolons, a header
// row first, Windows-1250 or UTF-8 (with or without a byte-order mark): the operator's table's
// rules (campaign/operator_table.h).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/operator_cells.h"
#include "campaign/operator_table.h"

struct BookingLine {
    int32_t lineNumber;                         // in the file, from 1
    std::string client, campaign, spot, panel;  // Windows-1250; panel "" = every panel
    int32_t firstDay, lastDay;                  // day numbers (campaign/calendar.h), both booked
    ClockTime from, to;                         // [from, to); 0:00 to 24:00 is the whole day
    uint32_t playsPerDay;
    std::string contract = {};  // "Smlouva", the contract number; may be empty
    // "Kontakty": the impressions contracted over the whole booking, on all its panels.
    std::optional<uint64_t> contacts = std::nullopt;
};

struct Booking {
    std::vector<BookingLine> lines;
    std::vector<BookingError> errors;  // every error of the file; no lines are usable then
};

// The longest stretch of days one line may book and the longest spot, as a name has at most 255
// characters.
constexpr int32_t kMaxBookedDays = 1830;
// A panel's count holds 4 bytes for each booked day of each line that applies to it, once for the
// panel and once per log counted at the same time. The booked days of all lines together are
// bounded so that each of those tallies stays within 128 MiB: 100,000 lines of 335 days fit.
constexpr int64_t kTallyBytesPerLineDay = 4;
constexpr int64_t kMaxTallyBytes = int64_t{128} << 20;
constexpr int64_t kMaxBookedLineDays = kMaxTallyBytes / kTallyBytesPerLineDay;
constexpr size_t kMaxSpotLength = 255;
constexpr uint32_t kMaxPlaysPerDay = 1000000;
constexpr uint32_t kFirstBookedYear = 1970;
constexpr uint32_t kLastBookedYear = 2999;

[[nodiscard]] Booking ParseBooking(std::string_view bytes);

// A day as the booking writes it, d.m.yyyy or yyyy-mm-dd; the reason in `error` when it is none.
[[nodiscard]] std::optional<int32_t> ParseDate(std::string_view text, std::string& error);

// The client's name as part of a file name: each character that Windows refuses there, and a
// trailing dot or space that it would drop, made "_".
std::string ClientFileNamePart(std::string_view client);

// What follows a proof's file name (the overview's or a client's) in the name of its state's own
// table; a client whose file name would be another's state table is a booking error.
constexpr std::string_view kStateTableSuffix = "_stav";

// The header's column names, Windows-1250, joined by separator: the required ones, or the
// optional ones.
std::string BookingColumnNames(bool required, std::string_view separator);

// Whether the line's window holds a play at hour:minute, by the list's time filter's rule.
bool InWindow(const BookingLine& line, int32_t hour, int32_t minute);
