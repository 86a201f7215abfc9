#pragma once
// What a fuzz input holds: a filter in its first bytes, then the bytes of a month's log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logdata/playback_log.h"

struct FuzzInput {
    ScanFilter filter;
    char decimalSeparator;
    std::string_view log;
};

// Eight bytes of filter: day, flags, from hour and minute, to hour and minute, separator, spare.
// Shorter inputs keep the window's defaults.
inline FuzzInput ReadFuzzInput(const uint8_t* data, size_t size) {
    FuzzInput input{ScanFilter{}, '.', {reinterpret_cast<const char*>(data), size}};
    if (size < 8) {
        return input;
    }
    input.filter.day = data[0] % 33;
    input.filter.timeFilterOn = (data[1] & 1) != 0;
    input.filter.stripPaths = (data[1] >> 1) & 1;
    input.filter.fromHour = static_cast<int8_t>(data[2]) % 26;
    input.filter.fromMinute = static_cast<int8_t>(data[3]) % 61;
    input.filter.toHour = static_cast<int8_t>(data[4]) % 26;
    input.filter.toMinute = static_cast<int8_t>(data[5]) % 61;
    input.decimalSeparator = (data[6] & 1) != 0 ? ',' : '.';
    input.log.remove_prefix(8);
    return input;
}

// Loads the input into log with the product's load path and with the step-by-step reference,
// and compares everything a user can see: records, order, totals, cell texts, the date error.
// Returns whether the month loaded (no date error).
bool LoadBothWays(const FuzzInput& input, PlaybackLog& log);

// Prints both sides and aborts, for the fuzzer to keep the input.
[[noreturn]] void Mismatch(const char* what, const std::string& ours, const std::string& theirs);
