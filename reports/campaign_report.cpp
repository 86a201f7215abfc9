#include "reports/campaign_report.h"

#include <cstdio>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/csv_field.h"
#include "reports/report_file.h"
#include "reports/report_paths.h"

namespace {

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

void AppendFindings(std::string& csv, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const auto panel = [&](size_t p) { return CsvField(report.panels[p].name); };
    AppendSection(csv,
                  Cp1250Literal{"Výpadky: ticho delší než "}.str() +
                      std::to_string(report.gapMinutes) +
                      Cp1250Literal{" min v objednaném okně"}.str(),
                  Cp1250Literal{"Panel;Datum;Od;Do;Délka"});
    for (const Outage& outage : result.outages) {
        csv += Row({panel(outage.panel), IsoDateText(outage.day), SecondsText(outage.start),
                    SecondsText(outage.end), SecondsText(outage.seconds)});
    }
    AppendSection(csv, Cp1250Literal{"Objednané dny bez jediného přehrání"},
                  Cp1250Literal{"Panel;Datum"});
    for (const SilentDay& day : result.silentDays) {
        csv += Row({panel(day.panel), IsoDateText(day.day)});
    }
    AppendSection(csv, Cp1250Literal{"Chybějící logy: jejich dny mají 0 přehrání"},
                  Cp1250Literal{"Panel;Soubor"});
    for (const MissingLog& log : result.missingLogs) {
        csv += Row({panel(log.panel), CsvField(log.path)});
    }
    AppendSection(csv, Cp1250Literal{"Dny pod objednávkou"},
                  Cp1250Literal{"Klient;Kampaň;Spot;Panel;Datum;Objednáno;Odvysíláno;Vysvětlení"});
    for (const ShortDay& day : result.shortDays) {
        const LineFigures& figures = result.figures[day.figures];
        const BookingLine& line = report.lines[figures.line];
        csv += Row({CsvField(line.client), CsvField(line.campaign), CsvField(line.spot),
                    panel(figures.panel), IsoDateText(day.day), std::to_string(line.playsPerDay),
                    std::to_string(figures.delivered[day.day - line.firstDay]),
                    CsvField(ShortDayReasonText(result, day))});
    }
    AppendSection(csv,
                  Cp1250Literal{"Překryvy objednávky: společná přehrání se počítají oběma řádkům"},
                  Cp1250Literal{"Řádek;Řádek;Společná přehrání"});
    for (const BookingOverlap& overlap : result.overlaps) {
        csv += Row({std::to_string(report.lines[overlap.first].lineNumber),
                    std::to_string(report.lines[overlap.second].lineNumber),
                    std::to_string(overlap.sharedPlays)});
    }
}

void AppendEvidence(std::string& csv, const CampaignReport& report) {
    AppendSection(
        csv, Cp1250Literal{"Soubory, ze kterých čísla vycházejí (SHA-256)"},
        Cp1250Literal{"Panel;Soubor;Velikost [B];SHA-256;První přehrání;Poslední přehrání"});
    csv += Row({"", CsvField(report.booking.path), std::to_string(report.booking.size),
                HexDigest(report.booking.digest), "", ""});
    for (const LogEvidence& log : report.result.logs) {
        csv += Row({CsvField(report.panels[log.panel].name), CsvField(log.path),
                    std::to_string(log.size), HexDigest(log.digest),
                    log.hasPlays ? StampText(log.first) : "",
                    log.hasPlays ? StampText(log.last) : ""});
    }
}

}  // namespace

std::string PercentText(const FiguresTotal& total, char decimalSeparator) {
    if (total.booked == 0) {
        return Cp1250Literal{"–"}.str();
    }
    // Tenths of a percent, rounded half up in integers, alike on every platform.
    const uint64_t tenths = (total.delivered * 2000 + total.booked) / (total.booked * 2);
    return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10) + " %";
}

std::string SecondsText(int32_t seconds) {
    char text[40];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

std::string StampText(const PlayStamp& stamp) {
    char text[64];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u %02u:%02u:%02u", stamp.day, stamp.month,
                  stamp.year, stamp.hour, stamp.minute, stamp.second);
    return text;
}

std::string ShortDayReasonText(const CampaignResult& result, const ShortDay& day) {
    if (day.logMissing) {
        return Cp1250Literal{"log měsíce chybí"}.str();
    }
    if (day.noPlayAtAll) {
        return Cp1250Literal{"panel ten den nepřehrál nic"}.str();
    }
    if (day.outages.empty()) {
        return Cp1250Literal{"bez výpadku: panel hrál, ale spot méně, než bylo objednáno"}.str();
    }
    std::string text =
        day.outages.size() == 1 ? Cp1250Literal{"výpadek "}.str() : Cp1250Literal{"výpadky "}.str();
    for (size_t i = 0; i < day.outages.size(); ++i) {
        const Outage& outage = result.outages[day.outages[i]];
        text += (i == 0 ? "" : ", ") + SecondsText(outage.start) + Cp1250Literal{"–"}.str() +
                SecondsText(outage.end);
    }
    return text;
}

std::string CampaignCsv(const CampaignReport& report) {
    std::string csv;
    AppendFigures(csv, report);
    AppendFindings(csv, report);
    AppendEvidence(csv, report);
    return csv;
}

ReportResult WriteCampaignReports(const CampaignReport& report, const SystemTime& madeAt) {
    ReportResult result;
    const std::string csvPath = CampaignReportPath(report.name, ReportFileType::kCsv);
    if (WriteReportFile(csvPath, CampaignCsv(report), result.failures)) {
        result.csvPath = csvPath;
    }
    WriteReportFile(CampaignReportPath(report.name, ReportFileType::kHtml),
                    CampaignPage(report, madeAt), result.failures);
    return result;
}
