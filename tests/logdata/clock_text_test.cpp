// A time typed as h:mm, as the command line takes it and as a booking's window takes it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "logdata/clock_text.h"

namespace {

std::string Read(const char* text, ClockSyntax syntax) {
    const std::optional<TimeOfDay> time = ParseClockText(text, syntax);
    return time ? std::to_string(time->hour) + "," + std::to_string(time->minute) : "-";
}

TEST(ClockText, EachSyntaxTakesItsOwnTexts) {
    const struct {
        const char* text;
        const char* anyNumbers;
        const char* windowStart;
        const char* windowEnd;
    } cases[] = {
        {"8:00", "8,0", "8,0", "8,0"},
        {"0:00", "0,0", "0,0", "0,0"},
        {"23:59", "23,59", "23,59", "23,59"},
        {"24:00", "24,0", "-", "24,0"},
        {"24:01", "24,1", "-", "-"},
        {"8:5", "8,5", "-", "-"},
        {"08:05", "8,5", "8,5", "8,5"},
        {"8:00:00", "-", "8,0", "8,0"},
        {"24:00:0", "-", "-", "24,0"},
        {"8:00:01", "-", "-", "-"},
        {"8:00:", "-", "-", "-"},
        {"8:000", "8,0", "-", "-"},
        {"10:75", "10,75", "-", "-"},
        {"123:00", "123,0", "-", "-"},
        {"-5:00", "-5,0", "-", "-"},
        {" 7:+8", "7,8", "-", "-"},
        {"-2147483648:2147483647", "-2147483648,2147483647", "-", "-"},
        {"2147483648:0", "-", "-", "-"},
        {"8", "-", "-", "-"},
        {"8:", "-", "-", "-"},
        {":30", "-", "-", "-"},
        {"8:x", "-", "-", "-"},
        {"", "-", "-", "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.text, ClockSyntax::kAnyNumbers), c.anyNumbers) << c.text;
        EXPECT_EQ(Read(c.text, ClockSyntax::kWindowStart), c.windowStart) << c.text;
        EXPECT_EQ(Read(c.text, ClockSyntax::kWindowEnd), c.windowEnd) << c.text;
    }
}

}  // namespace
