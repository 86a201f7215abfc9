#include "reports/campaign_report.h"

#include "base/cp1250.h"
#include <algorithm>
#include <cmath>

#include "campaign/calendar.h"
#include "campaign/line_figures.h"
#include "campaign/markets.h"
#include "campaign/window_time.h"
#include "reports/campaign_figure_texts.h"
#include "reports/campaign_texts.h"
#include "reports/csv_field.h"
#include "reports/html_page.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kVypadkyTichoDelsiNez{"Výpadky: ticho delší než "};
constexpr Cp1250Literal kMinVObjednanemOkne{" min v objednaném okně"};
constexpr Cp1250Literal kPanelDatumOdDo{"Panel;Datum;Od;Do;Délka"};
constexpr Cp1250Literal kObjednaneDnyBezJedineho{"Objednané dny bez jediného přehrání"};
constexpr Cp1250Literal kPanelDatum{"Panel;Datum"};
constexpr Cp1250Literal kChybejiciLogyJejichDny{"Chybějící logy: jejich dny mají 0 přehrání"};
constexpr Cp1250Literal kPanelSoubor{"Panel;Soubor"};
constexpr Cp1250Literal kDnyPodObjednavkou{"Dny pod objednávkou"};
constexpr Cp1250Literal kKlientKampanSpotPanel{
    "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Vysvětlení"};
constexpr Cp1250Literal kPrekryvyObjednavkySpolecnaPrehrani{
    "Překryvy objednávky: společná přehrání se počítají oběma řádkům"};
constexpr Cp1250Literal kRadekRadekSpolecnaPrehrani{"Řádek;Řádek;Společná přehrání"};
constexpr Cp1250Literal kSouboryZeKterychCisla{"Soubory, ze kterých čísla vycházejí (SHA-256)"};
constexpr Cp1250Literal kPanelSouborVelikostB{
    "Panel;Soubor;Velikost [B];SHA-256;První přehrání;Poslední přehrání"};
constexpr Cp1250Literal kVerohodnostLogu{
    "Věrohodnost logů: jedna obrazovka, jeden spot najednou (čísla to nemění)"};
constexpr Cp1250Literal kPanelSouborNalez{"Panel;Soubor;Nález;Počet;Nejhorší den;První čas"};
constexpr Cp1250Literal kDash{"–"};
constexpr Cp1250Literal kLogMesiceChybi{"log měsíce chybí"};
constexpr Cp1250Literal kPanelTenDenNeprehral{"panel ten den nepřehrál nic"};
constexpr Cp1250Literal kBezVypadkuPanelHral{
    "bez výpadku: panel hrál, ale spot méně, než bylo objednáno"};
constexpr Cp1250Literal kVypadek{"výpadek "};
constexpr Cp1250Literal kVypadky{"výpadky "};

constexpr std::string_view kLineEnd = "\r\n";
constexpr Cp1250Literal kFiguresHeader{
    "Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Rozdíl\r\n"};

std::string Row(std::initializer_list<std::string> cells) {
    std::string row;
    bool first = true;
    for (const std::string& cell : cells) {
        row += (first ? "" : ";") + cell;
        first = false;
    }
    return row + std::string(kLineEnd);
}

std::string CsvRow(const std::vector<std::string>& cells) {
    std::string row;
    for (size_t i = 0; i < cells.size(); ++i) {
        row += (i == 0 ? "" : ";") + CsvField(cells[i]);
    }
    return row + std::string(kLineEnd);
}

void AppendFigures(std::string& csv, const CampaignReport& report) {
    csv += kFiguresHeader;
    for (const LineFigures& figures : report.result.figures) {
        const BookingLine& line = report.lines[figures.line];
        const std::string panel = CsvField(report.panels[figures.panel].name);
        const std::string start = CsvField(line.client) + ";" + CsvField(line.campaign) + ";" +
                                  CsvField(line.spot) + ";" + panel;
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            const int64_t delivered = figures.delivered[i];
            csv += Row({start, IsoDateText(line.firstDay + static_cast<int32_t>(i)),
                        std::to_string(line.playsPerDay), std::to_string(delivered),
                        std::to_string(delivered - line.playsPerDay)});
        }
    }
}

void AppendSection(std::string& csv, std::string_view title, std::string_view header) {
    csv += kLineEnd;
    csv += title;
    csv += kLineEnd;
    csv += header;
    csv += kLineEnd;
}

void AppendStatusRows(std::string& csv, const CampaignReport& report) {
    for (const LineFigures& figures : report.result.figures) {
        csv += CsvRow(StatusCells(report, figures, ','));
    }
}

void AppendStatus(std::string& csv, const CampaignReport& report) {
    AppendSection(csv, AsOfText(report.result.asOfDay), CampaignTitles(kStatusColumns, ";"));
    AppendStatusRows(csv, report);
}

void AppendMarkets(std::string& csv, const CampaignReport& report) {
    AppendSection(csv, MarketsTitle(), CampaignTitles(kMarketColumns, ";"));
    for (const std::vector<std::string>& cells : MarketCells(report)) {
        csv += CsvRow(cells);
    }
}

void AppendMakeGood(std::string& csv, const CampaignReport& report) {
    AppendSection(csv, MakeGoodTitle(), CampaignTitles(kMakeGoodColumns, ";"));
    for (const LineFigures& figures : report.result.figures) {
        if (const std::vector<std::string> cells = MakeGoodCells(report, figures); !cells.empty()) {
            csv += CsvRow(cells);
        }
    }
}

void AppendFindings(std::string& csv, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const auto panel = [&](size_t p) { return CsvField(report.panels[p].name); };
    AppendSection(
        csv,
        kVypadkyTichoDelsiNez.str() + std::to_string(report.gapMinutes) + kMinVObjednanemOkne.str(),
        kPanelDatumOdDo);
    for (const Outage& outage : result.outages) {
        csv += Row({panel(outage.panel), IsoDateText(outage.day), SecondsText(outage.start),
                    SecondsText(outage.end), SecondsText(outage.seconds)});
    }
    AppendSection(csv, kObjednaneDnyBezJedineho, kPanelDatum);
    for (const SilentDay& day : result.silentDays) {
        csv += Row({panel(day.panel), IsoDateText(day.day)});
    }
    AppendSection(csv, kChybejiciLogyJejichDny, kPanelSoubor);
    for (const MissingLog& log : result.missingLogs) {
        csv += Row({panel(log.panel), CsvField(log.path)});
    }
    AppendSection(csv, kDnyPodObjednavkou, kKlientKampanSpotPanel);
    for (const ShortDay& day : result.shortDays) {
        const LineFigures& figures = result.figures[day.figures];
        const BookingLine& line = report.lines[figures.line];
        csv += Row({CsvField(line.client), CsvField(line.campaign), CsvField(line.spot),
                    panel(figures.panel), IsoDateText(day.day), std::to_string(line.playsPerDay),
                    std::to_string(figures.delivered[day.day - line.firstDay]),
                    CsvField(ShortDayReasonText(result, day))});
    }
    AppendSection(csv, kPrekryvyObjednavkySpolecnaPrehrani, kRadekRadekSpolecnaPrehrani);
    for (const BookingOverlap& overlap : result.overlaps) {
        csv += Row({std::to_string(report.lines[overlap.first].lineNumber),
                    std::to_string(report.lines[overlap.second].lineNumber),
                    std::to_string(overlap.sharedPlays)});
    }
}

void AppendEvidence(std::string& csv, const CampaignReport& report) {
    AppendSection(csv, kSouboryZeKterychCisla, kPanelSouborVelikostB);
    csv += Row({"", CsvField(report.booking.path), std::to_string(report.booking.size),
                HexDigest(report.booking.digest), "", ""});
    for (const OperatorFileEvidence& file : report.booking.operatorFiles) {
        csv += Row(
            {"", CsvField(file.path), std::to_string(file.size), HexDigest(file.digest), "", ""});
    }
    for (const LogEvidence& log : report.result.logs) {
        csv += Row({CsvField(report.panels[log.panel].name), CsvField(log.path),
                    std::to_string(log.size), HexDigest(log.digest),
                    log.hasPlays ? StampText(log.first) : "",
                    log.hasPlays ? StampText(log.last) : ""});
    }
}

// One row per finding of each log; a log without any is "věrohodný".
void AppendPlausibility(std::string& csv, const CampaignReport& report) {
    AppendSection(csv, kVerohodnostLogu, kPanelSouborNalez);
    for (const LogEvidence& log : report.result.logs) {
        const std::string start =
            CsvField(report.panels[log.panel].name) + ";" + CsvField(log.path);
        if (IsPlausible(log)) {
            csv += Row({start, std::string(PlausibleText()), "0", "", ""});
        }
        for (int kind = 0; kind < kLogFindingKinds; ++kind) {
            const LogFinding& finding = log.findings[kind];
            if (finding.count > 0) {
                csv += Row({start, std::string(LogFindingName(static_cast<LogFindingKind>(kind))),
                            std::to_string(finding.count), IsoDateText(finding.worstDay),
                            SecondsText(finding.firstSecond)});
            }
        }
    }
}

// The panel's register name and town, availability, days without a log, share of time and the
// contacts.
void AppendPanelFigures(std::vector<std::string>& cells, const CampaignReport& report,
                        const LineFigures& figures, char decimalSeparator) {
    const BookingLine& line = report.lines[figures.line];
    const CampaignPanel& panel = report.panels[figures.panel];
    const size_t first = cells.size();
    cells.insert(
        cells.end(),
        {PanelNameText(panel), PanelTownText(panel),
         ShareText(Availability(figures.time), 1, decimalSeparator),
         std::to_string(figures.time.daysUnknown),
         ShareOfTimeText(figures.playedSeconds, figures.time, decimalSeparator), "", "", ""});
    if (!panel.audience.Empty()) {
        const std::optional<double> contracted =
            ContractedContactsToDate(line, figures, PanelsOfLine(report.result, figures.line));
        cells[first + 5] = contracted ? ContactsText(*contracted) : "";
        cells[first + 6] = ContactsText(figures.impressions);
        cells[first + 7] = std::to_string(figures.playsWithoutAudience);
    }
}

std::vector<std::string> TownsOf(const std::vector<CampaignPanel>& panels) {
    std::vector<std::string> towns;
    for (const CampaignPanel& panel : panels) {
        towns.push_back(PanelTownText(panel));
    }
    return towns;
}

std::vector<std::vector<std::string>> MarketRows(const std::vector<MarketFigures>& markets) {
    std::vector<std::vector<std::string>> rows;
    for (const MarketFigures& market : markets) {
        rows.push_back({market.client, market.campaign,
                        market.total ? std::string(AllTownsText()) : market.town,
                        std::to_string(market.screensBooked),
                        std::to_string(market.screensDelivered), std::to_string(market.booked),
                        std::to_string(market.delivered)});
    }
    return rows;
}

}  // namespace

std::string CampaignFileStem(const CampaignReport& report) {
    return report.client.empty() ? report.name
                                 : report.name + "_" + ClientFileNamePart(report.client);
}

std::vector<std::string> StatusCells(const CampaignReport& report, const LineFigures& figures,
                                     char decimalSeparator) {
    const BookingLine& line = report.lines[figures.line];
    const FiguresTotal total = TotalOf(line, figures);
    std::vector<std::string> cells{line.client,
                                   line.campaign,
                                   line.contract,
                                   line.spot,
                                   IsoDateText(line.firstDay),
                                   IsoDateText(line.lastDay),
                                   report.panels[figures.panel].name,
                                   std::to_string(total.booked),
                                   std::to_string(total.delivered),
                                   std::to_string(total.bonus),
                                   PercentText(total, decimalSeparator),
                                   std::to_string(total.daysShort),
                                   std::to_string(figures.daysLeft)};
    AppendPanelFigures(cells, report, figures, decimalSeparator);
    return cells;
}

std::vector<std::vector<std::string>> MarketCells(const CampaignReport& report) {
    return MarketRows(FiguresByMarket(report.lines, report.result, TownsOf(report.panels)));
}

std::vector<std::vector<std::string>> MarketCells(const CampaignReport& report,
                                                  const std::vector<size_t>& figures) {
    return MarketRows(
        FiguresByMarket(report.lines, report.result, TownsOf(report.panels), figures));
}

std::string PanelNameText(const CampaignPanel& panel) {
    return panel.registered ? panel.registered->name : panel.name;
}

std::string PanelTownText(const CampaignPanel& panel) {
    return panel.registered && !panel.registered->town.empty() ? panel.registered->town
                                                               : std::string(NoTownText());
}

std::vector<std::string> MakeGoodCells(const CampaignReport& report, const LineFigures& figures) {
    const BookingLine& line = report.lines[figures.line];
    const uint64_t needed = MakeGoodPerDay(line, figures);
    if (needed == 0) {
        return {};
    }
    const FiguresTotal total = TotalOf(line, figures);
    return {line.client,
            line.campaign,
            line.contract,
            line.spot,
            report.panels[figures.panel].name,
            std::to_string(total.booked),
            std::to_string(total.delivered),
            std::to_string(figures.daysLeft),
            std::to_string(needed)};
}

std::vector<size_t> NamedOverlaps(const CampaignResult& result) {
    std::vector<size_t> named(result.overlaps.size());
    for (size_t i = 0; i < named.size(); ++i) {
        named[i] = i;
    }
    if (named.size() > kOverlapsNamed) {
        const auto more = [&](size_t x, size_t y) {
            return result.overlaps[x].sharedPlays > result.overlaps[y].sharedPlays ||
                   (result.overlaps[x].sharedPlays == result.overlaps[y].sharedPlays && x < y);
        };
        std::nth_element(named.begin(), named.begin() + kOverlapsNamed, named.end(), more);
        named.resize(kOverlapsNamed);
        std::sort(named.begin(), named.end());
    }
    return named;
}

std::string StampText(const PlayStamp& stamp) {
    return PlayTimeText(
        {stamp.year, stamp.month, 0, stamp.day, stamp.hour, stamp.minute, stamp.second, 0});
}

std::string ShortDayReasonText(const CampaignResult& result, const ShortDay& day) {
    if (day.logMissing) {
        return kLogMesiceChybi.str();
    }
    std::string text;
    if (!day.outages.empty()) {
        text = day.outages.size() == 1 ? kVypadek.str() : kVypadky.str();
        for (size_t i = 0; i < day.outages.size(); ++i) {
            const Outage& outage = result.outages[day.outages[i]];
            text += (i == 0 ? "" : ", ") + SecondsText(outage.start) + kDash.str() +
                    SecondsText(outage.end);
        }
    }
    if (day.afterLogEnd) {
        const size_t panel = result.figures[day.figures].panel;
        for (const LogEnd& end : result.logEnds) {
            if (end.panel == panel) {
                text += (text.empty() ? "" : "; ") + LogEndText(end.day, end.second);
            }
        }
    }
    if (text.empty()) {
        return day.noPlayAtAll ? kPanelTenDenNeprehral.str() : kBezVypadkuPanelHral.str();
    }
    return text;
}

std::string CampaignStatusCsv(const CampaignReport& report) {
    std::string csv = CampaignTitles(kStatusColumns, ";") + std::string(kLineEnd);
    AppendStatusRows(csv, report);
    return csv;
}

std::string CampaignCsv(const CampaignReport& report) {
    std::string csv;
    AppendFigures(csv, report);
    AppendStatus(csv, report);
    AppendMarkets(csv, report);
    if (report.client.empty()) {
        AppendMakeGood(csv, report);
    }
    AppendFindings(csv, report);
    AppendEvidence(csv, report);
    AppendPlausibility(csv, report);
    return csv;
}
