#include "reports/campaign_texts.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/calendar.h"

namespace {

constexpr Cp1250Literal kClientTitle{"Klient"};
constexpr Cp1250Literal kCampaignTitle{"Kampaň"};
constexpr Cp1250Literal kContractTitle{"Smlouva"};
constexpr Cp1250Literal kSpotTitle{"Spot"};
constexpr Cp1250Literal kFirstDayTitle{"Od"};
constexpr Cp1250Literal kLastDayTitle{"Do"};
constexpr Cp1250Literal kPanelTitle{"Panel"};
constexpr Cp1250Literal kBookedTitle{"Objednáno"};
constexpr Cp1250Literal kDeliveredTitle{"Odvysíláno"};
constexpr Cp1250Literal kBonusTitle{"Navíc"};
constexpr Cp1250Literal kPercentTitle{"Plnění"};
constexpr Cp1250Literal kDaysShortTitle{"Dnů pod objednávkou"};
constexpr Cp1250Literal kDaysLeftTitle{"Zbývá dnů"};
constexpr Cp1250Literal kNeededTitle{"Potřeba za den"};
constexpr Cp1250Literal kLineNumberTitle{"Řádek"};
constexpr Cp1250Literal kDateTitle{"Datum"};
constexpr Cp1250Literal kStartTitle{"Od"};
constexpr Cp1250Literal kEndTitle{"Do"};
constexpr Cp1250Literal kLengthTitle{"Délka"};
constexpr Cp1250Literal kReasonTitle{"Vysvětlení"};
constexpr Cp1250Literal kFileTitle{"Soubor"};
constexpr Cp1250Literal kSizeTitle{"Velikost [B]"};
constexpr Cp1250Literal kDigestTitle{"SHA-256"};
constexpr Cp1250Literal kPlaySpanTitle{"Přehrání"};
constexpr Cp1250Literal kPlausibilityTitle{"Věrohodnost"};
constexpr Cp1250Literal kPanelNameTitle{"Název panelu"};
constexpr Cp1250Literal kTownTitle{"Město"};
constexpr Cp1250Literal kAvailabilityTitle{"Dostupnost"};
constexpr Cp1250Literal kDaysUnknownTitle{"Dnů bez logu"};
constexpr Cp1250Literal kShareOfTimeTitle{"Podíl času"};
constexpr Cp1250Literal kContractedContactsTitle{"Kontakty objednáno"};
constexpr Cp1250Literal kEstimatedContactsTitle{"Kontakty (odhad)"};
constexpr Cp1250Literal kPlaysWithoutAudienceTitle{"Přehrání bez údaje o publiku"};
constexpr Cp1250Literal kScreensBookedTitle{"Panelů objednáno"};
constexpr Cp1250Literal kScreensDeliveredTitle{"Panelů odvysíláno"};
constexpr Cp1250Literal kContactsRatioTitle{"Odvysíláno / objednáno (odhad)"};

constexpr std::string_view kTitles[kCampaignColumns] = {
    kClientTitle,
    kCampaignTitle,
    kContractTitle,
    kSpotTitle,
    kFirstDayTitle,
    kLastDayTitle,
    kPanelTitle,
    kBookedTitle,
    kDeliveredTitle,
    kBonusTitle,
    kPercentTitle,
    kDaysShortTitle,
    kDaysLeftTitle,
    kNeededTitle,
    kLineNumberTitle,
    kDateTitle,
    kStartTitle,
    kEndTitle,
    kLengthTitle,
    kReasonTitle,
    kFileTitle,
    kSizeTitle,
    kDigestTitle,
    kPlaySpanTitle,
    kPlausibilityTitle,
    kPanelNameTitle,
    kTownTitle,
    kAvailabilityTitle,
    kDaysUnknownTitle,
    kShareOfTimeTitle,
    kContractedContactsTitle,
    kEstimatedContactsTitle,
    kPlaysWithoutAudienceTitle,
    kScreensBookedTitle,
    kScreensDeliveredTitle,
    kContactsRatioTitle,
};

struct PageWordingEntry {
    PageText text;
    std::string_view utf8;
};
constexpr PageWordingEntry kPageWording[] = {
    {PageText::kHeading, "Plnění kampaní"},
    {PageText::kBookingLead, "Objednávka %"},
    {PageText::kPeriodTerm, "Období"},
    {PageText::kPanelsTerm, "Panely"},
    {PageText::kOutageTerm, "Výpadek"},
    {PageText::kOutageDefinition, "panel v objednaném čase přes % min nepřehrál žádný spot"},
    {PageText::kTimesTerm, "Časy"},
    {PageText::kTimesDefinition, "místní čas panelu, jak jej zapisuje přehrávač"},
    {PageText::kSummerTime,
     "; letní čas podle pravidla EU (poslední neděle v březnu 2:00 → 3:00, poslední neděle v "
     "říjnu 3:00 → 2:00): vynechaná hodina v březnu není výpadek, opakovaná hodina v říjnu se "
     "počítá dvakrát a žádné přehrání se neztratí"},
    {PageText::kMadeTerm, "Vytvořeno"},
    {PageText::kIssuerTerm, "Vystavil"},
    {PageText::kSummaryHeading, "Souhrn podle klientů a kampaní"},
    {PageText::kTotalRow, "Celkem"},
    {PageText::kBonusTitle, "Nad objednávku"},
    {PageText::kPanelDaysShortTitle, "Dnů pod objednávkou (dny × panely)"},
    {PageText::kPercentExplained,
     "Plnění počítá každý den nejvýš do objednaného počtu přehrání za den."},
    {PageText::kBonusExplained,
     "Přehrání nad objednaný počet dne jsou „Nad objednávku“ a plnění nezvyšují."},
    {PageText::kContactsHeading, "Kontakty podle kampaní (odhad)"},
    {PageText::kAudienceRule,
     "Kontakty jsou odhad podle souboru %: kolik lidí za hodinu projde kolem panelu podle dne "
     "v týdnu a denní doby. Jedno přehrání dává tento počet × délku spotu v sekundách ÷ 3600; "
     "objednané kontakty k datu jsou sloupec Kontakty objednávky v poměru přehrání objednaných "
     "k datu ke všem objednaným."},
    {PageText::kPanelsHeading, "Dostupnost panelů"},
    {PageText::kLineHeading, "% – %: spot %"},
    {PageText::kLineHeadingContract, "% – % (smlouva %): spot %"},
    {PageText::kBookingRow, "řádek % objednávky"},
    {PageText::kLineOrder, "Objednáno za celou dobu % přehrání, k datu %."},
    {PageText::kInterim, "Výkaz je průběžný: stav ke dni %, řádek končí %."},
    {PageText::kFinal, "Výkaz je konečný: řádek skončil %."},
    {PageText::kLineTimeHeading, "Dostupnost a podíl času"},
    {PageText::kWholeDay, "celý den"},
    {PageText::kPlaysPerDay, "% přehrání za den"},
    {PageText::kEveryPanel, "všechny panely"},
    {PageText::kOnePanel, "panel %"},
    {PageText::kContract, "smlouva %"},
    {PageText::kPanelChart, "%: odvysíláno podle dnů"},
    {PageText::kChartLabel, "Odvysíláno podle dnů"},
    {PageText::kChartAxis, "Den (%)"},
    {PageText::kChartLegend, "oranžově dny pod objednávkou, čárkovaně objednaný počet"},
    {PageText::kChartLegendPending, ", prázdně dny, které teprve přijdou"},
    {PageText::kChartLegendNoRecord, ", šedě dny bez záznamu"},
    {PageText::kPendingDay, "%: čeká"},
    {PageText::kDeliveredDay, "%: % z %"},
    {PageText::kNoRecordDay, "%: bez záznamu"},
    {PageText::kChartsOnClientPages,
     "Grafy podle dnů jsou jen na stránkách jednotlivých klientů: s grafy všech řádků by tento "
     "přehled přesáhl % MB."},
    {PageText::kOutagesHeading, "Výpadky a chybějící data"},
    {PageText::kNoOutage, "V objednaných oknech nebyl žádný výpadek delší než % min."},
    {PageText::kNoOutageButNoRecord,
     "Ve dnech se záznamem nebyl v objednaných oknech žádný výpadek delší než % min; dny bez "
     "záznamu posoudit nelze. Bez záznamu (chybí log): %."},
    {PageText::kNoRecordDays, "Bez záznamu (chybí log): %."},
    {PageText::kSilentDay, "Panel % % nepřehrál nic."},
    {PageText::kMissingLog, "Chybí log % panelu %: jeho dny mají 0 přehrání."},
    {PageText::kLogEnd,
     "Panel %: %; novější logy zatím nebyly zkopírovány, pozdější dny proto nelze posoudit."},
    {PageText::kShortDaysHeading, "Dny pod objednávkou a jejich vysvětlení"},
    {PageText::kRanShort, "Panel byl v provozu, spot se přehrál jen %× z %."},
    {PageText::kOverlap,
     "Řádky % a % objednávky se překrývají spotem, dny i časem: % přehrání se započítalo "
     "oběma."},
    {PageText::kMoreOverlaps,
     "Dalších % dvojic řádků objednávky se překrývá; všechny i se společnými přehráními jsou "
     "v souboru CSV, v oddílu „Překryvy objednávky“."},
    {PageText::kEvidenceHeading, "Podklady"},
    {PageText::kEvidenceIntro,
     "Čísla vycházejí z těchto souborů. Otisk SHA-256 každého z nich ověří kdokoli: ve Windows "
     "příkazem <code>certutil -hashfile SOUBOR SHA256</code>, jinde <code>sha256sum "
     "SOUBOR</code>; <code>kvimeter-cli verify</code> ověří všechny najednou. Log, do kterého "
     "přehrávač mezitím zapsal další řádky, má nový otisk; jeho prvních uvedených bajtů se to "
     "netýká. „Kontrola logu: bez chyb“ znamená, že log odpovídá jedné obrazovce, která hraje "
     "jeden spot najednou: žádné přehrání nezačne dřív, než předchozí dohraje, čas nejde zpět "
     "(kromě opakované hodiny v říjnu) a žádný řádek není dvakrát. Čísla výše to nemění."},
    {PageText::kLogCheckTitle, "Kontrola logu"},
    {PageText::kLogWithoutFault, "bez chyb"},
    {PageText::kBookingFile, "objednávka"},
    {PageText::kRegisterFile, "registr panelů"},
    {PageText::kAudienceFile, "publikum"},
    {PageText::kIssuerFile, "provozovatel"},
    {PageText::kPlaySpan, "první %, poslední %"},
    {PageText::kNoPlays, "žádné"},
};

constexpr bool InOrder() {
    for (size_t i = 0; i < std::size(kPageWording); ++i) {
        if (static_cast<size_t>(kPageWording[i].text) != i) {
            return false;
        }
    }
    return std::size(kPageWording) == static_cast<size_t>(PageText::kPageTexts);
}
static_assert(InOrder(), "kPageWording lists every page text once, in the enum's order");

constexpr Cp1250Literal kAsOf{"Stav ke dni %"};
constexpr Cp1250Literal kMakeGood{
    "Dorovnání (jen pro provozovatele): přehrání za den potřebná ve zbývajících dnech k "
    "objednanému součtu"};
constexpr Cp1250Literal kNotStarted{"Ještě nezačal: začíná %."};
constexpr Cp1250Literal kLogEnds{"log končí % v %"};
constexpr Cp1250Literal kOverlapName{"překrývající se přehrání"};
constexpr Cp1250Literal kClockBackName{"čas jde zpět"};
constexpr Cp1250Literal kDuplicateName{"zdvojené řádky"};
constexpr Cp1250Literal kFutureName{"přehrání v budoucnosti"};
constexpr Cp1250Literal kPlausible{"věrohodný"};
constexpr Cp1250Literal kWorstDay{"% od %"};
constexpr Cp1250Literal kFindingText{"% %×, nejvíc %"};
constexpr Cp1250Literal kFutureText{"% %×, první % v %"};

std::string ClockText(int32_t second, bool withSeconds) {
    char text[40];
    if (withSeconds) {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(second / 3600),
                      static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    } else {
        std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(second / 3600),
                      static_cast<int>(second / 60 % 60));
    }
    return text;
}

}  // namespace

std::string_view CampaignColumnTitle(int column) {
    return kTitles[column];
}

std::string CampaignTitles(std::initializer_list<int> columns, std::string_view separator) {
    std::string titles;
    for (const int column : columns) {
        titles += (titles.empty() ? "" : std::string(separator));
        titles += kTitles[column];
    }
    return titles;
}

std::string AsOfText(int32_t asOfDay) {
    return FillIn(kAsOf, {SpacedDateText(asOfDay)});
}

std::string_view MakeGoodTitle() {
    return kMakeGood;
}

std::string NotStartedText(int32_t firstDay) {
    return FillIn(kNotStarted, {SpacedDateText(firstDay)});
}

std::string LogEndText(int32_t day, int32_t second) {
    return FillIn(kLogEnds, {SpacedDayMonthText(day), ClockText(second, false)});
}

std::string_view LogFindingName(LogFindingKind kind) {
    switch (kind) {
        case LogFindingKind::kOverlap:
            return kOverlapName;
        case LogFindingKind::kClockBack:
            return kClockBackName;
        case LogFindingKind::kDuplicate:
            return kDuplicateName;
        case LogFindingKind::kFuture:
            return kFutureName;
    }
    return {};
}

std::string_view PlausibleText() {
    return kPlausible;
}

std::string WorstDayText(const LogFinding& finding) {
    return FillIn(kWorstDay,
                  {SpacedDateText(finding.worstDay), ClockText(finding.firstSecond, true)});
}

std::string PlausibilityText(const LogEvidence& log) {
    std::string text;
    for (int kind = 0; kind < kLogFindingKinds; ++kind) {
        const LogFinding& finding = log.findings[kind];
        if (finding.count == 0) {
            continue;
        }
        text += text.empty() ? "" : "; ";
        if (kind == static_cast<int>(LogFindingKind::kFuture)) {
            text +=
                FillIn(kFutureText,
                       {LogFindingName(LogFindingKind::kFuture), std::to_string(finding.count),
                        SpacedDateText(finding.worstDay), ClockText(finding.firstSecond, true)});
        } else {
            text += FillIn(kFindingText, {LogFindingName(static_cast<LogFindingKind>(kind)),
                                          std::to_string(finding.count), WorstDayText(finding)});
        }
    }
    return text.empty() ? std::string(kPlausible) : text;
}

std::string SecondsText(int32_t seconds) {
    char text[40];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

std::string PercentText(const FiguresTotal& total, char decimalSeparator) {
    static constexpr Cp1250Literal kDash{"–"};
    if (total.booked == 0) {
        return kDash.str();
    }
    // Tenths of a percent, rounded half up in integers, alike on every platform.
    const uint64_t within = total.delivered - total.bonus;
    const uint64_t tenths = (within * 2000 + total.booked) / (total.booked * 2);
    return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10) + " %";
}

std::string ShareText(std::optional<double> share, int decimals, char decimalSeparator) {
    static constexpr Cp1250Literal kDash{"–"};
    if (!share) {
        return kDash.str();
    }
    int64_t scale = 100;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const int64_t units = std::llround(*share * static_cast<double>(scale));
    const int64_t fraction = scale / 100;
    std::string decimalsText = std::to_string(units % fraction + fraction).substr(1);
    return std::to_string(units / fraction) +
           (decimals > 0 ? decimalSeparator + decimalsText : std::string()) + " %";
}

std::string_view MarketsTitle() {
    static constexpr Cp1250Literal kTitle{"Panely podle měst"};
    return kTitle;
}

std::string_view NoTownText() {
    static constexpr Cp1250Literal kText{"bez uvedení města"};
    return kText;
}

std::string_view AllTownsText() {
    return "celkem";
}

std::string PageWording(PageText text, std::initializer_list<std::string_view> parts) {
    return FillIn(kPageWording[static_cast<size_t>(text)].utf8, parts);
}
