#pragma once
// A booking counted against logs written into panel folders of a scratch folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "base/cp1250.h"
#include "campaign/audience.h"
#include "campaign/booking.h"
#include "campaign/campaign.h"
#include "tests/support/scratch_path.h"

namespace {

namespace fs = std::filesystem;

std::string Play(const std::string& date, const std::string& time, const std::string& name,
                 const std::string& length = "10") {
    return date + "\t" + time + "\tP\t" + name + "\t" + length + "\r\n";
}

class CampaignTest : public ::testing::Test {
protected:
    CampaignTest() {
        root_ = TestScratchPath("kv_campaign");
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~CampaignTest() override { fs::remove_all(root_); }

    void WriteLog(const std::string& panel, const std::string& month, const std::string& lines) {
        fs::create_directories(root_ / panel / "log");
        std::ofstream(root_ / panel / "log" / ("AVI_" + month + ".txt"), std::ios::binary) << lines;
    }
    // Booking lines after the header, as UTF-8 test text.
    CampaignOutcome Count(const std::string& rows, std::vector<std::string> panels = {"p1"},
                          int32_t gap = 15, int32_t asOfDay = kEveryBookedDay,
                          CampaignProgress* progress = nullptr) {
        const Booking booking = ParseBooking(Utf8ToCp1250(
            "Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel\r\n" + rows));
        EXPECT_TRUE(booking.errors.empty());
        lines_ = booking.lines;
        panels_.clear();
        const AudienceFile audience = ParseAudience(Utf8ToCp1250(audience_));
        for (const std::string& name : panels) {
            panels_.push_back({name, (root_ / name).string(), AudienceOf(audience, name)});
        }
        return EvaluateCampaign(lines_, panels_, CampaignSettings{gap, asOfDay, madeAt_}, progress);
    }
    // The same, counted to its end.
    CampaignResult Evaluate(const std::string& rows, std::vector<std::string> panels = {"p1"},
                            int32_t gap = 15, int32_t asOfDay = kEveryBookedDay) {
        CampaignOutcome outcome = Count(rows, std::move(panels), gap, asOfDay);
        EXPECT_TRUE(std::holds_alternative<CampaignResult>(outcome));
        auto* result = std::get_if<CampaignResult>(&outcome);
        return result == nullptr ? CampaignResult{} : std::move(*result);
    }

    fs::path root_;
    std::string audience_;        // an audience file, UTF-8 test text; none when empty
    int64_t madeAt_ = INT64_MAX;  // the proof's moment, seconds since 1970
    std::vector<BookingLine> lines_;
    std::vector<CampaignPanel> panels_;
};

// Plays of 10 s every `step` minutes from..to (minutes of the day), on one day.
std::string PlaysEvery(const std::string& date, int from, int to, int step) {
    std::string lines;
    for (int minute = from; minute <= to; minute += step) {
        char time[24];  // room for any two ints, as GCC checks at -O0
        std::snprintf(time, sizeof time, "%02d:%02d:00", minute / 60, minute % 60);
        lines += Play(date, time, "a.avi");
    }
    return lines;
}

}  // namespace
