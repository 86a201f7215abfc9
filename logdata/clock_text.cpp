#include "logdata/clock_text.h"

#include <cstdint>

#include "base/number_text.h"

namespace {

// From 1 to maxDigits digits and nothing else.
bool ReadDigits(std::string_view text, size_t maxDigits, int32_t& value) {
    if (text.empty() || text.size() > maxDigits) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

// Two digits of minutes, perhaps with ":0" or ":00" seconds.
bool ReadWindowMinute(std::string_view text, int32_t& minute) {
    int32_t second = 0;
    if (text.size() < 2 || !ReadDigits(text.substr(0, 2), 2, minute)) {
        return false;
    }
    const std::string_view seconds = text.substr(2);
    return seconds.empty() ||
           (seconds[0] == ':' && ReadDigits(seconds.substr(1), 2, second) && second == 0);
}

}  // namespace

std::optional<TimeOfDay> ParseClockText(std::string_view text, ClockSyntax syntax) {
    const size_t colon = text.find(':');
    if (colon == text.npos) {
        return std::nullopt;
    }
    const std::string_view hourText = text.substr(0, colon);
    const std::string_view minuteText = text.substr(colon + 1);
    TimeOfDay time{};
    if (syntax == ClockSyntax::kAnyNumbers) {
        const std::optional<int32_t> hour = ParseWholeNumber(hourText, INT32_MIN, INT32_MAX);
        const std::optional<int32_t> minute = ParseWholeNumber(minuteText, INT32_MIN, INT32_MAX);
        return hour && minute ? std::optional(TimeOfDay{*hour, *minute}) : std::nullopt;
    }
    if (!ReadDigits(hourText, 2, time.hour) || !ReadWindowMinute(minuteText, time.minute)) {
        return std::nullopt;
    }
    const bool inDay = time.hour < 24 && time.minute < 60;
    const bool endOfDay = syntax == ClockSyntax::kWindowEnd && time.hour == 24 && time.minute == 0;
    return inDay || endOfDay ? std::optional(time) : std::nullopt;
}
