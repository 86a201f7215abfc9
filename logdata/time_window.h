#pragma once
// The time-of-day window of the list's filter and of a booking line.
#include <compare>
#include <cstdint>

struct TimeOfDay {
    int32_t hour, minute;
    // Hour first, then minute: a reading such as 10:75 stays before 11:00.
    auto operator<=>(const TimeOfDay&) const = default;
};

// From inclusive to exclusive; the end may be 24:00.
inline bool InTimeWindow(TimeOfDay time, TimeOfDay from, TimeOfDay to) {
    return from <= time && time < to;
}
