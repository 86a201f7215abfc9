#pragma once
// The campaign's column titles and explanation texts, Windows-1250: the CSV file, the page and the
// command line's output all take them from here. The page's own wording is here too, in UTF-8.
#include <cstdint>
#include <initializer_list>
#include <optional>
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
    // The page's tables of outages, short days and evidence.
    kLineNumberColumn,
    kDateColumn,
    kStartColumn,
    kEndColumn,
    kLengthColumn,
    kReasonColumn,
    kFileColumn,
    kSizeColumn,
    kDigestColumn,
    kPlaySpanColumn,
    kPlausibilityColumn,
    // What a media buyer compares screens by.
    kPanelNameColumn,
    kTownColumn,
    kAvailabilityColumn,
    kDaysUnknownColumn,
    kShareOfTimeColumn,
    kContractedContactsColumn,
    kEstimatedContactsColumn,
    kPlaysWithoutAudienceColumn,
    kScreensBookedColumn,
    kScreensDeliveredColumn,
    kContactsRatioColumn,
    kCampaignColumns
};

std::string_view CampaignColumnTitle(int column);

// The titles of the columns, separated.
std::string CampaignTitles(std::initializer_list<int> columns, std::string_view separator);

// The columns of a line's state as of the day, and those of the make-good.
constexpr std::initializer_list<int> kStatusColumns = {
    kClientColumn, kCampaignColumn, kContractColumn, kSpotColumn, kFirstDayColumn, kLastDayColumn,
    kPanelColumn, kBookedColumn, kDeliveredColumn, kBonusColumn, kPercentColumn, kDaysShortColumn,
    kDaysLeftColumn,
    // The panel as its register names it, how long it was on, the spot's share of that time and
    // the contacts.
    kPanelNameColumn, kTownColumn, kAvailabilityColumn, kDaysUnknownColumn, kShareOfTimeColumn,
    kContractedContactsColumn, kEstimatedContactsColumn, kPlaysWithoutAudienceColumn};
constexpr std::initializer_list<int> kMakeGoodColumns = {
    kClientColumn, kCampaignColumn,  kContractColumn, kSpotColumn,  kPanelColumn,
    kBookedColumn, kDeliveredColumn, kDaysLeftColumn, kNeededColumn};

// The screens of each campaign by market.
constexpr std::initializer_list<int> kMarketColumns = {
    kClientColumn,           kCampaignColumn, kTownColumn,     kScreensBookedColumn,
    kScreensDeliveredColumn, kBookedColumn,   kDeliveredColumn};

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

// A share, "99,2 %" with the decimals and separator given, rounded half up; "–" without one.
std::string ShareText(std::optional<double> share, int decimals, char decimalSeparator);
// "Panely podle měst", the title of the screens by market.
std::string_view MarketsTitle();
// "bez uvedení města": the market of a panel the register gives none.
std::string_view NoTownText();
// "celkem": the market of a campaign's total.
std::string_view AllTownsText();

// The page's own wording: UTF-8, as the page is (the summer-time rule's arrows have no
// Windows-1250 byte), with its markup where a text has some. Each "%" is a value that FillIn
// puts in, already made HTML.
enum class PageText {
    kHeading,              // "Plnění kampaní"
    kBookingLead,          // "Objednávka %"
    kPeriodTerm,           // "Období"
    kPanelsTerm,           // "Panely"
    kOutageTerm,           // "Výpadek"
    kOutageDefinition,     // "panel v objednaném čase přes % min nepřehrál žádný spot"
    kTimesTerm,            // "Časy"
    kTimesDefinition,      // the panel's local time
    kSummerTime,           // the summer-time rule, when the clock changes in the booked period
    kMadeTerm,             // "Vytvořeno"
    kIssuerTerm,           // "Vystavil"
    kSummaryHeading,       // "Souhrn podle klientů a kampaní"
    kTotalRow,             // "Celkem"
    kBonusTitle,           // "Nad objednávku", the page's title of the bonus
    kPanelDaysShortTitle,  // "Dnů pod objednávkou (dny × panely)"
    kPercentExplained,     // what "Plnění" counts
    kBonusExplained,       // what "Nad objednávku" is
    kContactsHeading,      // "Kontakty podle kampaní (odhad)"
    kAudienceRule,         // the audience file % and its rule
    kPanelsHeading,        // "Dostupnost panelů"
    kLineHeading,          // "% – %: spot %"
    kLineHeadingContract,  // "% – % (smlouva %): spot %"
    kBookingRow,           // "řádek % objednávky"
    kLineOrder,            // "Objednáno za celou dobu % přehrání, k datu %."
    kInterim,              // "Výkaz je průběžný: …"
    kFinal,                // "Výkaz je konečný: …"
    kLineTimeHeading,      // "Dostupnost a podíl času"
    kWholeDay,             // "celý den"
    kPlaysPerDay,          // "% přehrání za den"
    kEveryPanel,           // "všechny panely"
    kOnePanel,             // "panel %"
    kContract,             // "smlouva %"
    kPanelChart,           // "%: odvysíláno podle dnů"
    kChartLabel,           // "Odvysíláno podle dnů"
    kChartAxis,            // the day axis's title, "Den (%)"
    kChartLegend,          // the bars and the booked level
    kChartLegendPending,   // the days still to come
    kChartLegendNoRecord,  // the days without a record
    kPendingDay,           // "%: čeká"
    kDeliveredDay,         // "%: % z %"
    kNoRecordDay,          // "%: bez záznamu"
    kChartsOnClientPages,  // why an overview this large has no charts per line
    kOutagesHeading,       // "Výpadky a chybějící data"
    kNoOutage,             // "V objednaných oknech nebyl žádný výpadek delší než % min."
    kNoOutageButNoRecord,  // the same for the days with a record, and those without one
    kNoRecordDays,         // "Bez záznamu (chybí log): %."
    kSilentDay,            // "Panel % % nepřehrál nic."
    kMissingLog,           // "Chybí log % panelu %: …"
    kLogEnd,               // "Panel %: %; novější logy zatím nebyly zkopírovány, …"
    kShortDaysHeading,     // "Dny pod objednávkou a jejich vysvětlení"
    kRanShort,             // "Panel byl v provozu, spot se přehrál jen %× z %."
    kOverlap,              // "Řádky % a % objednávky se překrývají …"
    kMoreOverlaps,         // "Dalších % dvojic řádků se překrývá …"
    kEvidenceHeading,      // "Podklady"
    kEvidenceIntro,        // how to check the files, and what the log's check means
    kLogCheckTitle,        // "Kontrola logu"
    kLogWithoutFault,      // "bez chyb"
    kBookingFile,          // "objednávka"
    kRegisterFile,         // "registr panelů"
    kAudienceFile,         // "publikum"
    kIssuerFile,           // "provozovatel"
    kPlaySpan,             // "první %, poslední %"
    kNoPlays,              // "žádné"
    kPageTexts
};

// The text with its values put in.
std::string PageWording(PageText text, std::initializer_list<std::string_view> parts = {});
