#pragma once
// One client's part of a campaign, to be handed to that client: its booking lines with their
// figures, the outages inside its own booked windows, its days without plays and the logs its
// lines needed. Nothing of another client is in it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"

// The clients of a booking, each once, in the order they first appear.
std::vector<std::string> ClientsOf(const std::vector<BookingLine>& lines);

struct ClientShare {
    std::vector<BookingLine> lines;
    CampaignResult result;  // indices into lines, and into the same panels
};

// A result sorted by client once, so that each client's share then costs only its own size, and
// a booking of thousands of clients is shared out in about the time of one pass over the result.
// Lines, panels and result must outlive it.
class ClientShares {
public:
    ClientShares(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                 const CampaignResult& result, int32_t gapMinutes);

    // As ClientsOf gives them.
    const std::vector<std::string>& Clients() const { return clients_; }
    // The share of Clients()[client].
    ClientShare ShareOf(size_t client) const;

private:
    // Indices of items grouped by a key, each group in the items' order.
    using Groups = std::vector<std::vector<size_t>>;
    using ByKey = std::unordered_map<uint64_t, std::vector<size_t>>;

    void AddDaysOf(const ClientShare& share, std::vector<uint64_t>& days,
                   std::vector<uint64_t>& months) const;
    std::vector<size_t> LogsOfMonths(const std::vector<uint64_t>& months) const;
    void AddOutages(const std::vector<uint64_t>& days, ClientShare& share) const;
    void AddShortDays(size_t client, ClientShare& share) const;

    const std::vector<BookingLine>& lines_;
    const std::vector<CampaignPanel>& panels_;
    const CampaignResult& result_;
    int32_t gapSeconds_;
    std::vector<std::string> clients_;
    std::vector<size_t> clientOfLine_;
    Groups clientLines_, figures_, overlaps_, withoutPanel_, shortDays_;
    ByKey outagesByDay_, silentByDay_, missingByMonth_;  // panel and day, or panel and month
    std::unordered_map<std::string, std::vector<size_t>> logsByPath_;
};

// The share of one client; a booking of many clients is better served by ClientShares.
ClientShare ShareOf(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                    const CampaignResult& result, const std::string& client, int32_t gapMinutes);
