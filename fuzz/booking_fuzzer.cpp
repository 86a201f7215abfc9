// Each input read as a booking file: every error named, and every line it accepts sound; its
// spot patterns consistent with themselves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "campaign/booking.h"
#include "campaign/spot_pattern.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckLine(const BookingLine& line) {
    Require(line.lineNumber > 0);
    Require(!line.client.empty() && !line.campaign.empty() && !line.spot.empty());
    Require(line.firstDay <= line.lastDay && line.lastDay - line.firstDay < kMaxBookedDays);
    Require(line.from.hour < line.to.hour ||
            (line.from.hour == line.to.hour && line.from.minute < line.to.minute));
    const SpotPattern pattern(line.spot);
    Require(pattern.MayOverlap(pattern));
    // Stars may stand for nothing: the spot without them is a name it matches.
    std::string literal;
    for (const char c : line.spot) {
        literal += c == '*' ? std::string() : std::string(1, c);
    }
    const bool hasSeparator =
        literal.find('/') != std::string::npos || (literal.size() >= 2 && literal[1] == ':');
    Require(hasSeparator || pattern.Matches(literal));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Booking booking =
        ParseBooking(std::string_view(reinterpret_cast<const char*>(data), size));
    Require(booking.errors.empty() != booking.lines.empty());
    for (const BookingError& error : booking.errors) {
        Require(!error.message.empty() && !BookingErrorText("k.csv", error).empty());
    }
    for (const BookingLine& line : booking.lines) {
        CheckLine(line);
    }
    return 0;
}
