#pragma once
// The texts of the figures a media buyer compares screens by (Windows-1250): how long a panel was
// on, the spot's share of that time, the contacts and where the panel stands on a map.
#include <cstdint>
#include <optional>
#include <string>

#include "campaign/campaign_result.h"
#include "campaign/panel_register.h"

// "1 den", "3 dny", "5 dnů".
std::string DaysText(uint64_t days);

// "99,2 %", with "(2 dny bez logu)" beside it when the logs leave days out.
std::string AvailabilityText(const WindowTime& time, char decimalSeparator);
// "12,34 %" of the window time.
std::string ShareOfTimeText(double playedSeconds, const WindowTime& time, char decimalSeparator);

// Contacts rounded to whole ones, only when shown.
std::string ContactsText(double contacts);
// Delivered against contracted, "87,5 %", uncapped; "–" without a contracted figure.
std::string ContactsRatioText(std::optional<double> contracted, double delivered,
                              char decimalSeparator);
// "odhad neúplný: N přehrání bez údaje o publiku", or "" when every play has an estimate.
std::string IncompleteEstimateText(uint64_t playsWithoutAudience);

// A map at the panel's position (OpenStreetMap), or "" without one.
std::string MapAddress(const RegisteredPanel& panel);
