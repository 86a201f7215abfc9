#pragma once
// The campaign's column titles and explanation texts, Windows-1250: the CSV file, the page and the
// command line's output all take them from here.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "campaign/campaign.h"

enum CampaignColumn {
    kClientColumn,
    kCampaignColumn,
    kContractColumn,
    kSpotColumn,
    kFirstDayColumn,
    kLastDayColumn,
    kPanelColumn,
    kBookedColumn,
    kDeliveredColumn,
    kBonusColumn,
    kPercentColumn,
    kDaysShortColumn,
    kDaysLeftColumn,
    kNeededColumn,
    kCampaignColumns
};

std::string_view CampaignColumnTitle(int column);

// The titles of the columns, separated.
std::string CampaignTitles(std::initializer_list<int> columns, std::string_view separator);

// The columns of a line's state as of the day, and those of the make-good.
constexpr std::initializer_list<int> kStatusColumns = {
    kClientColumn,  kCampaignColumn,  kContractColumn, kSpotColumn,      kFirstDayColumn,
    kLastDayColumn, kPanelColumn,     kBookedColumn,   kDeliveredColumn, kBonusColumn,
    kPercentColumn, kDaysShortColumn, kDaysLeftColumn};
constexpr std::initializer_list<int> kMakeGoodColumns = {
    kClientColumn, kCampaignColumn,  kContractColumn, kSpotColumn,  kPanelColumn,
    kBookedColumn, kDeliveredColumn, kDaysLeftColumn, kNeededColumn};

// "Stav ke dni d. m. yyyy"
std::string AsOfText(int32_t asOfDay);
// The make-good's heading, for the operator only.
std::string_view MakeGoodTitle();
// "Ještě nezačal: začíná d. m. yyyy."
std::string NotStartedText(int32_t firstDay);
// "log končí d. m. v hh:mm"
std::string LogEndText(int32_t day, int32_t second);

std::string_view LogFindingName(LogFindingKind kind);
// "věrohodný"
std::string_view PlausibleText();
// "5. 11. 2026 od 10:00:01": the worst day and its first time.
std::string WorstDayText(const LogFinding& finding);
// "věrohodný", or each finding with its count, worst day and first time, separated by "; ".
std::string PlausibilityText(const LogEvidence& log);

// "h:mm:ss" of local seconds from midnight, "24:00:00" at the day's end.
std::string SecondsText(int32_t seconds);

// The delivered plays within each day's booked count against the booked, "96,6 %" with the given
// decimal separator, never over 100 (the rest is bonus); "–" when nothing was booked.
std::string PercentText(const FiguresTotal& total, char decimalSeparator);
