#include "reports/campaign_figure_texts.h"

#include <cmath>
#include <cstdlib>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/window_time.h"
#include "reports/campaign_texts.h"

namespace {

constexpr Cp1250Literal kOneDay{"den"};
constexpr Cp1250Literal kFewDays{"dny"};
constexpr Cp1250Literal kManyDays{"dnů"};
constexpr Cp1250Literal kWithoutLog{" (% bez logu)"};
constexpr Cp1250Literal kIncomplete{"odhad neúplný: % přehrání bez údaje o publiku"};

// Degrees with six decimals and ".", alike in every locale: about 0.1 m.
std::string DegreesText(double degrees) {
    const long long millionths = std::llround(degrees * 1e6);
    const long long whole = std::llabs(millionths);
    std::string fraction = std::to_string(whole % 1000000 + 1000000).substr(1);
    return (millionths < 0 ? "-" : "") + std::to_string(whole / 1000000) + "." + fraction;
}

}  // namespace

std::string DaysText(uint64_t days) {
    const std::string_view word = days == 1                ? std::string_view(kOneDay)
                                  : days >= 2 && days <= 4 ? std::string_view(kFewDays)
                                                           : std::string_view(kManyDays);
    return std::to_string(days) + " " + std::string(word);
}

std::string AvailabilityText(const WindowTime& time, char decimalSeparator) {
    std::string text = ShareText(Availability(time), 1, decimalSeparator);
    if (time.daysUnknown > 0) {
        text += FillIn(kWithoutLog, {DaysText(time.daysUnknown)});
    }
    return text;
}

std::string ShareOfTimeText(double playedSeconds, const WindowTime& time, char decimalSeparator) {
    return ShareText(ShareOfTime(playedSeconds, time), 2, decimalSeparator);
}

std::string ContactsText(double contacts) {
    return std::to_string(std::llround(contacts));
}

std::string ContactsRatioText(std::optional<double> contracted, double delivered,
                              char decimalSeparator) {
    if (!contracted || *contracted <= 0) {
        return ShareText(std::nullopt, 1, decimalSeparator);
    }
    return ShareText(delivered / *contracted, 1, decimalSeparator);
}

std::string IncompleteEstimateText(uint64_t playsWithoutAudience) {
    return playsWithoutAudience == 0 ? ""
                                     : FillIn(kIncomplete, {std::to_string(playsWithoutAudience)});
}

std::string MapAddress(const RegisteredPanel& panel) {
    if (!panel.hasPosition) {
        return "";
    }
    const std::string lat = DegreesText(panel.latitude), lon = DegreesText(panel.longitude);
    return "https://www.openstreetmap.org/?mlat=" + lat + "&mlon=" + lon + "#map=17/" + lat + "/" +
           lon;
}
