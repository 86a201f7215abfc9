#include "campaign/operator_cells.h"

#include <cstdio>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "logdata/clock_text.h"

namespace {

constexpr Cp1250Literal kNotAnEndTime{"„%“ není čas h:mm od 0:00 do 24:00"};
constexpr Cp1250Literal kNotAStartTime{"„%“ není čas h:mm od 0:00 do 23:59"};
constexpr Cp1250Literal kOknoKonciDrivNez{"okno končí (%) dřív, než začne, nebo když začíná (%)"};

constexpr char kNoBreakSpace = '\xA0';    // Windows-1250
constexpr size_t kMaxDecimalDigits = 15;  // exact in a double

std::optional<ClockTime> ParseClock(std::string_view text, bool end, std::string& error) {
    if (text.empty()) {
        return end ? ClockTime{24, 0} : ClockTime{0, 0};
    }
    const std::optional<TimeOfDay> time =
        ParseClockText(text, end ? ClockSyntax::kWindowEnd : ClockSyntax::kWindowStart);
    if (time) {
        return ClockTime{time->hour, time->minute};
    }
    error = FillIn(end ? kNotAnEndTime : kNotAStartTime, {text});
    return std::nullopt;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string ClockText(ClockTime time) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(time.hour),
                  static_cast<int>(time.minute));
    return text;
}

WindowCells ReadWindowCells(std::string_view from, std::string_view to) {
    WindowCells cells;
    const std::optional<ClockTime> start = ParseClock(from, false, cells.fromError);
    const std::optional<ClockTime> end = ParseClock(to, true, cells.toError);
    if (start && end && MinuteOfDay(*start) >= MinuteOfDay(*end)) {
        cells.toError = FillIn(kOknoKonciDrivNez, {ClockText(*end), ClockText(*start)});
    } else if (start && end) {
        cells.from = start;
        cells.to = end;
    }
    return cells;
}

std::optional<uint64_t> ParseGroupedWholeNumber(std::string_view text, size_t maxDigits) {
    uint64_t value = 0;
    size_t digits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool separator = (text[i] == ' ' || text[i] == kNoBreakSpace) && i > 0 &&
                               i + 1 < text.size() && IsDigit(text[i - 1]) && IsDigit(text[i + 1]);
        if (separator) {
            continue;
        }
        if (!IsDigit(text[i]) || ++digits > maxDigits) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    return digits > 0 ? std::optional<uint64_t>(value) : std::nullopt;
}

std::optional<double> ParseDecimalNumber(std::string_view text, double low, double high) {
    const bool negative = !text.empty() && text.front() == '-';
    text.remove_prefix(negative ? 1 : 0);
    uint64_t mantissa = 0;
    size_t digits = 0;
    size_t fractionDigits = 0;
    bool point = false;
    for (const char c : text) {
        if ((c == '.' || c == ',') && !point && digits > 0) {
            point = true;
        } else if (IsDigit(c) && digits < kMaxDecimalDigits) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            ++digits;
            fractionDigits += point ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (point && fractionDigits == 0)) {
        return std::nullopt;
    }
    double scale = 1;  // exact up to 10^22, so the quotient is the nearest double
    for (size_t i = 0; i < fractionDigits; ++i) {
        scale *= 10;
    }
    const double value = (negative ? -1.0 : 1.0) * static_cast<double>(mantissa) / scale;
    return value >= low && value <= high ? std::optional<double>(value) : std::nullopt;
}
