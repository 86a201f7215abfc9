#pragma once
// A time of day as typed, "h:mm": the command line's time window and a booking line's window.
#include <optional>
#include <string_view>

#include "logdata/time_window.h"

enum class ClockSyntax {
    kAnyNumbers,   // H:M, each any signed 32-bit number, as the window's edits take them
    kWindowStart,  // h:mm or h:mm:00 (as Excel may save it), 0:00 to 23:59
    kWindowEnd,    // the same, or 24:00: the end of a window
};

std::optional<TimeOfDay> ParseClockText(std::string_view text, ClockSyntax syntax);
