#pragma once
// The screens of each client's campaign by market, as a media buyer compares them: the panels its
// lines apply to against those on which a line's spot played, with the plays booked and delivered
// to the as-of day.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"

struct MarketFigures {
    std::string client, campaign;
    std::string town;  // as townOfPanel gives it; "" in the campaign's total
    bool total;        // the campaign over all its markets
    uint32_t screensBooked = 0, screensDelivered = 0;
    uint64_t booked = 0, delivered = 0;
};

// Per client and campaign in booking order: each market in the order its first panel comes, then
// the campaign's total.
std::vector<MarketFigures> FiguresByMarket(const std::vector<BookingLine>& lines,
                                           const CampaignResult& result,
                                           const std::vector<std::string>& townOfPanel);

// The same of some of result.figures only (indices into it), for example one line's.
std::vector<MarketFigures> FiguresByMarket(const std::vector<BookingLine>& lines,
                                           const CampaignResult& result,
                                           const std::vector<std::string>& townOfPanel,
                                           const std::vector<size_t>& figures);
