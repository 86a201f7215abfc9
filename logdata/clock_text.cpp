#include "logdata/clock_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

// As strtol reads it: white space, a sign, digits, and nothing after them.
bool ReadAnyNumber(std::string_view text, int32_t& value) {
    const std::string copy(text);
    if (copy.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(copy.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || number < INT32_MIN || number > INT32_MAX) {
        return false;
    }
    value = static_cast<int32_t>(number);
    return true;
}

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
        return ReadAnyNumber(hourText, time.hour) && ReadAnyNumber(minuteText, time.minute)
                   ? std::optional(time)
                   : std::nullopt;
    }
    if (!ReadDigits(hourText, 2, time.hour) || !ReadWindowMinute(minuteText, time.minute)) {
        return std::nullopt;
    }
    const bool inDay = time.hour < 24 && time.minute < 60;
    const bool endOfDay = syntax == ClockSyntax::kWindowEnd && time.hour == 24 && time.minute == 0;
    return inDay || endOfDay ? std::optional(time) : std::nullopt;
}
