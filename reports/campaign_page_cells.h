#pragma once
// The campaign page's tables and names (UTF-8 HTML): each column's title and how its cells stand,
// and a panel shown as a client knows it.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/campaign_result.h"
#include "reports/campaign_texts.h"

// The page's own columns beside CampaignColumn: the days short summed over panels.
constexpr int kPanelDaysShortColumn = kCampaignColumns;

// Text of the booking file, the panels or the logs (Windows-1250), made HTML.
std::string Text(std::string_view cp1250);
std::string Number(uint64_t value);
// "1.11.2026"
std::string Date(int32_t day);

std::string Head(int column);
std::string Heads(std::initializer_list<int> columns);
// Each cell under its column; the cells are HTML already.
std::string Cells(std::initializer_list<int> columns, const std::vector<std::string>& cells);
std::string TableStart(const std::string& heads);

// The panel's register name, linked to a map where it stands; else its folder's name.
std::string PanelName(const CampaignPanel& panel);
// The same with its town in brackets, where the register gives one.
std::string PanelLabel(const CampaignPanel& panel);
