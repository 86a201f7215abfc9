#pragma once
// The campaign page's figures of the screens a media buyer compares (UTF-8 HTML): screens booked
// and delivered by town, how long each panel was on, the spot's share of that time, and the
// contacts, an estimate.
#include <cstddef>
#include <string>
#include <vector>

#include "reports/campaign_report.h"

// The panels the report's lines apply to, in panel order: a client's page shows no other.
std::vector<size_t> PanelsOfReport(const CampaignReport& report);

// Each client's campaign by town and in total.
void AppendMarkets(std::string& html, const CampaignReport& report);
// One line's screens by town (its figures, indices into the result's).
void AppendLineMarkets(std::string& html, const CampaignReport& report,
                       const std::vector<size_t>& figuresOfLine);
// One line's availability and share of time on each panel, and its contacts where known.
void AppendLineTimes(std::string& html, const CampaignReport& report,
                     const std::vector<size_t>& figuresOfLine);
// Each panel's availability over all the lines it carries.
void AppendPanelAvailability(std::string& html, const CampaignReport& report);
// Each campaign's contacts with the audience file's rule, when some panel has audience data.
void AppendCampaignContacts(std::string& html, const CampaignReport& report);
