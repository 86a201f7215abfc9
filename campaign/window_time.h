#pragma once
// How long a panel was on in the booked time, and how much of that time a spot held: the booked
// windows on the counted days that the logs tell, less the outages the proof names.
#include <cstddef>
#include <optional>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"

// The share of the window time in no outage; none without window time.
std::optional<double> Availability(const WindowTime& time);
// The counted plays' time against the window time; none without window time.
std::optional<double> ShareOfTime(double playedSeconds, const WindowTime& time);

// Sets each line's window time on its panel and each panel's over all its lines, from the
// outages, missing logs and panel ends already in result.
void AddWindowTimes(const std::vector<BookingLine>& lines, size_t panels, CampaignResult& result);
