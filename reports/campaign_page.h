#pragma once
// report\KAMPAN_<name>.html: one self-contained page with the campaign's figures, charts,
// outages and evidence, from the same cells as the CSV file.
#include <string>

#include "base/win32_types.h"
#include "reports/campaign_report.h"

std::string CampaignPage(const CampaignReport& report, const SystemTime& madeAt);
