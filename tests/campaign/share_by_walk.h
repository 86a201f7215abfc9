#pragma once
// A client's share made by walking the whole result for that client alone, as it was first
// written: slow with many clients, plainly right, and what the client index must equal.
#include <cstdint>
#include <string>
#include <vector>

#include "campaign/client_share.h"

ClientShare ShareByWalk(const std::vector<BookingLine>& lines,
                        const std::vector<CampaignPanel>& panels, const CampaignResult& result,
                        const std::string& client, int32_t gapMinutes);
