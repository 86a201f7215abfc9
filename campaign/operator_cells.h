#pragma once
// The values the operator types into the cells of the booking, the panel register and the
// audience file, read by one rule in each of them: the daily window and plain numbers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A time of day as hour and minute, compared as the list's time filter compares them.
struct ClockTime {
    int32_t hour, minute;
};

constexpr int32_t kMinutesPerDay = 24 * 60;

constexpr int32_t MinuteOfDay(ClockTime time) {
    return time.hour * 60 + time.minute;
}
constexpr int32_t SecondOfDay(ClockTime time) {
    return MinuteOfDay(time) * 60;
}

// "8:05".
std::string ClockText(ClockTime time);

// A row's "Čas od" and "Čas do": h:mm (h:mm:00 as Excel may save it), 24:00 only as the end, an
// empty cell the day's start or end; the window must not end before it begins. Each reason is
// given for its own cell, and window is set only when neither has one.
struct WindowCells {
    std::optional<ClockTime> from, to;  // [from, to), both set when the cells hold a window
    std::string fromError, toError;
};
[[nodiscard]] WindowCells ReadWindowCells(std::string_view from, std::string_view to);

// A whole number of at most maxDigits digits as typed, spaces between groups of thousands allowed
// (Excel's "1 500 000", with a plain or a no-break space).
[[nodiscard]] std::optional<uint64_t> ParseGroupedWholeNumber(std::string_view text,
                                                              size_t maxDigits);

// A decimal number with "." or "," and an optional "-", within [low, high].
[[nodiscard]] std::optional<double> ParseDecimalNumber(std::string_view text, double low,
                                                       double high);
