#pragma once
// The campaign page's outages and missing data (UTF-8 HTML): the outages, the days that no log
// records, the days without plays, the logs that end early and the days short with their reasons.
#include <string>
#include <vector>

#include "reports/campaign_report.h"

// The days of a line on its panel that no log records: those of the panel's missing months.
std::vector<bool> DaysWithoutRecord(const CampaignReport& report, const BookingLine& line,
                                    const LineFigures& figures);

void AppendOutages(std::string& html, const CampaignReport& report);
