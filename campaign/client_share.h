#pragma once
// One client's part of a campaign, to be handed to that client: its booking lines with their
// figures, the outages inside its own booked windows, its days without plays and the logs its
// lines needed. Nothing of another client is in it.
#include <cstdint>
#include <string>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"

// The clients of a booking, each once, in the order they first appear.
std::vector<std::string> ClientsOf(const std::vector<BookingLine>& lines);

struct ClientShare {
    std::vector<BookingLine> lines;
    CampaignResult result;  // indices into lines, and into the same panels
};

ClientShare ShareOf(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                    const CampaignResult& result, const std::string& client, int32_t gapMinutes);
