// The campaign's page for the client. Its own texts are UTF-8; whatever comes from the booking
// file, the panels or the logs goes through HtmlText.
#include "reports/campaign_page.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "campaign/line_figures.h"
#include "reports/campaign_chart.h"
#include "reports/campaign_figure_texts.h"
#include "reports/campaign_page_cells.h"
#include "reports/campaign_page_outages.h"
#include "reports/campaign_page_panels.h"
#include "reports/campaign_texts.h"
#include "reports/html_escape.h"
#include "reports/html_page.h"
#include "reports/proof_settings.h"
#include "reports/play_lists.h"

namespace {

constexpr std::string_view kCampaignStyle = R"(<style>
.chart .bar.short{fill:#dd6b20}
.chart .level{stroke:#2d3748;stroke-width:2;stroke-dasharray:6 4}
.chart .pending{fill:#edf2f7;stroke:#a0aec0;stroke-dasharray:2 2}
.chart .norecord{fill:#cbd5e0;stroke:#718096}
.issuer{margin:0 0 12px;color:#4a5568}
tr.total td{font-weight:bold}
.charts.line{grid-template-columns:2fr 1fr}
.ok{color:#276749}
.warn{color:#9b2c2c;font-weight:bold}
td.hash{font-family:Consolas,"DejaVu Sans Mono",monospace;font-size:12px;overflow-wrap:anywhere}
section.line{break-before:page}
</style>
)";

std::string Percent(const FiguresTotal& total) {
    return Cp1250ToUtf8(PercentText(total, ','));
}

// Past this the overview leaves the charts per line to the clients' pages.
constexpr size_t kLargestPageMegabytes = 20;
constexpr size_t kLargestPage = kLargestPageMegabytes * 1000 * 1000;

// A client's or campaign's sum: the figures of its lines, its lines (for the calendar days they
// have left) and their window time with the seconds played in it.
struct Sum {
    FiguresTotal total{0, 0, 0, 0};
    std::vector<size_t> lines;
    WindowTime time;
    double playedSeconds = 0;

    void Add(const BookingLine& line, const LineFigures& figures) {
        const FiguresTotal part = TotalOf(line, figures);
        total.booked += part.booked;
        total.delivered += part.delivered;
        total.bonus += part.bonus;
        total.daysShort += part.daysShort;
        if (lines.empty() || lines.back() != figures.line) {
            lines.push_back(figures.line);
        }
        time.windowSeconds += figures.time.windowSeconds;
        time.outageSeconds += figures.time.outageSeconds;
        playedSeconds += figures.playedSeconds;
    }
};

constexpr std::initializer_list<int> kFiguresColumns = {kBookedColumn,    kDeliveredColumn,
                                                        kBonusColumn,     kPercentColumn,
                                                        kDaysShortColumn, kDaysLeftColumn};
// Summed over panels, the days short are panel-days; the days left are the calendar's.
constexpr std::initializer_list<int> kSumColumns = {
    kBookedColumn,         kDeliveredColumn, kBonusColumn,      kPercentColumn,
    kPanelDaysShortColumn, kDaysLeftColumn,  kShareOfTimeColumn};

std::string SumCells(const CampaignReport& report, const Sum& sum) {
    const FiguresTotal& total = sum.total;
    return Cells(kSumColumns,
                 {Number(total.booked), Number(total.delivered), Number(total.bonus),
                  Percent(total), Number(total.daysShort),
                  Number(CalendarDaysLeft(report.lines, sum.lines, report.result.asOfDay)),
                  Cp1250ToUtf8(ShareOfTimeText(sum.playedSeconds, sum.time, ','))});
}

std::string FiguresCells(const BookingLine& line, const LineFigures& figures) {
    const FiguresTotal total = TotalOf(line, figures);
    return Cells(kFiguresColumns,
                 {Number(total.booked), Number(total.delivered), Number(total.bonus),
                  Percent(total), Number(total.daysShort), Number(figures.daysLeft)});
}

std::string WindowText(const BookingLine& line) {
    if (line.from.hour == 0 && line.from.minute == 0 && line.to.hour == 24) {
        return PageWording(PageText::kWholeDay);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d:%02d–%d:%02d", static_cast<int>(line.from.hour),
                  static_cast<int>(line.from.minute), static_cast<int>(line.to.hour),
                  static_cast<int>(line.to.minute));
    return text;
}

// The booked period of the report's lines.
std::pair<int32_t, int32_t> PeriodOf(const CampaignReport& report) {
    int32_t first = report.lines.front().firstDay;
    int32_t last = report.lines.front().lastDay;
    for (const BookingLine& line : report.lines) {
        first = std::min(first, line.firstDay);
        last = std::max(last, line.lastDay);
    }
    return {first, last};
}

// The overview names every panel given; a client's page only those its lines apply to.
std::string PanelsText(const CampaignReport& report) {
    std::vector<size_t> shown = PanelsOfReport(report);
    if (report.client.empty()) {
        shown.clear();
        for (size_t p = 0; p < report.panels.size(); ++p) {
            shown.push_back(p);
        }
    }
    std::string panels;
    for (const size_t p : shown) {
        panels += (panels.empty() ? "" : ", ") + PanelLabel(report.panels[p]);
    }
    return panels;
}

// Who issues the proof, as the issuer's file gives it, at the head of the page.
void AppendIssuer(std::string& html, const CampaignReport& report) {
    if (report.booking.issuer.empty()) {
        return;
    }
    html += "<p class=\"issuer\" title=\"" + PageWording(PageText::kIssuerTerm) + "\">";
    for (size_t i = 0; i < report.booking.issuer.size(); ++i) {
        html += (i == 0 ? "" : "<br>\n") + Text(report.booking.issuer[i]);
    }
    html += "</p>\n";
}

void AppendHeader(std::string& html, const CampaignReport& report, const SystemTime& madeAt) {
    const auto [first, last] = PeriodOf(report);
    html += "<header>\n";
    AppendIssuer(html, report);
    html += "<h1>" + PageWording(PageText::kHeading) + "</h1>\n<p class=\"lead\">" +
            PageWording(PageText::kBookingLead, {Text(report.name)}) +
            "</p>\n<p class=\"lead asof\">" + Cp1250ToUtf8(AsOfText(report.result.asOfDay)) +
            "</p>\n<dl class=\"filter\">\n";
    if (!report.client.empty()) {
        html += "<dt>" + Cp1250ToUtf8(CampaignColumnTitle(kClientColumn)) + "</dt><dd>" +
                Text(report.client) + "</dd>\n";
    }
    const auto term = [&](PageText name, const std::string& definition) {
        html += "<dt>" + PageWording(name) + "</dt><dd>" + definition + "</dd>\n";
    };
    term(PageText::kPeriodTerm, Date(first) + " – " + Date(last));
    term(PageText::kPanelsTerm, PanelsText(report));
    term(PageText::kOutageTerm,
         PageWording(PageText::kOutageDefinition, {std::to_string(report.gapMinutes)}));
    // The summer-time rule only where the clock changes inside the booked period.
    term(PageText::kTimesTerm,
         PageWording(PageText::kTimesDefinition) +
             (ClockChangesWithin(first, last) ? PageWording(PageText::kSummerTime) : ""));
    if (report.playListsBeside) {
        html += PlayListsLinks(CampaignFileStem(report));
    }
    html += "<dt>" + PageWording(PageText::kMadeTerm) + "</dt><dd>";
    AppendMadeAt(html, madeAt);
    html += "</dd>\n</dl>\n</header>\n";
}

constexpr std::initializer_list<int> kSummaryColumns = {kClientColumn, kCampaignColumn,
                                                        kContractColumn};

void AppendClientSummary(std::string& html, const CampaignReport& report) {
    std::map<std::pair<std::string, std::string>, Sum> byCampaign;
    std::map<std::pair<std::string, std::string>, std::string> contracts;
    std::vector<std::pair<std::string, std::string>> order;
    Sum all;
    for (const LineFigures& figures : report.result.figures) {
        const BookingLine& line = report.lines[figures.line];
        const auto key = std::make_pair(line.client, line.campaign);
        if (byCampaign.find(key) == byCampaign.end()) {
            order.push_back(key);
        }
        byCampaign[key].Add(line, figures);
        all.Add(line, figures);
        std::string& contract = contracts[key];
        if (!line.contract.empty() && contract.find(line.contract) == std::string::npos) {
            contract += (contract.empty() ? "" : ", ") + line.contract;
        }
    }
    html += "<section class=\"summary\">\n<h2>" + PageWording(PageText::kSummaryHeading) +
            "</h2>\n" + TableStart(Heads(kSummaryColumns) + Heads(kSumColumns));
    for (const auto& key : order) {
        html += "<tr>" +
                Cells(kSummaryColumns, {Text(key.first), Text(key.second), Text(contracts[key])}) +
                SumCells(report, byCampaign[key]) + "</tr>\n";
    }
    html += "</tbody><tfoot><tr><th>" + PageWording(PageText::kTotalRow) + "</th>" +
            Cells({kCampaignColumn, kContractColumn}, {"", ""}) + SumCells(report, all) +
            "</tr></tfoot></table>\n<p class=\"terms\">" +
            PageWording(PageText::kPercentExplained) + " " +
            PageWording(PageText::kBonusExplained) + "</p>\n</section>\n";
}

// Each line's figures, in their order: one walk, not one per line.
std::vector<std::vector<size_t>> FiguresByLine(const CampaignReport& report) {
    std::vector<std::vector<size_t>> byLine(report.lines.size());
    for (size_t f = 0; f < report.result.figures.size(); ++f) {
        byLine[report.result.figures[f].line].push_back(f);
    }
    return byLine;
}

std::string LineSpan(const CampaignReport& report, const BookingLine& line,
                     const std::vector<size_t>& figuresOfLine) {
    const std::string panel =
        line.panel.empty() || figuresOfLine.empty()
            ? Text(line.panel)
            : PanelLabel(report.panels[report.result.figures[figuresOfLine.front()].panel]);
    return Date(line.firstDay) + " – " + Date(line.lastDay) + ", " + WindowText(line) + ", " +
           PageWording(PageText::kPlaysPerDay, {std::to_string(line.playsPerDay)}) + ", " +
           (line.panel.empty() ? PageWording(PageText::kEveryPanel)
                               : PageWording(PageText::kOnePanel, {panel})) +
           ", " + PageWording(PageText::kBookingRow, {std::to_string(line.lineNumber)});
}

// The whole order beside its part to date, and whether the proof of the line is final.
std::string LineOrder(const CampaignReport& report, const BookingLine& line,
                      const std::vector<size_t>& figuresOfLine) {
    uint64_t toDate = 0;
    for (const size_t f : figuresOfLine) {
        toDate += TotalOf(line, report.result.figures[f]).booked;
    }
    const uint64_t whole = BookedOverWholeLine(line) * figuresOfLine.size();
    const int32_t asOf = report.result.asOfDay;
    return PageWording(PageText::kLineOrder, {Number(whole), Number(toDate)}) + " " +
           (asOf < line.lastDay
                ? PageWording(PageText::kInterim, {Cp1250ToUtf8(SpacedDateText(asOf)),
                                                   Cp1250ToUtf8(SpacedDateText(line.lastDay))})
                : PageWording(PageText::kFinal, {Cp1250ToUtf8(SpacedDateText(line.lastDay))}));
}

std::string LineHeading(const BookingLine& line) {
    return line.contract.empty()
               ? PageWording(PageText::kLineHeading,
                             {Text(line.client), Text(line.campaign), Text(line.spot)})
               : PageWording(PageText::kLineHeadingContract,
                             {Text(line.client), Text(line.campaign), Text(line.contract),
                              Text(line.spot)});
}

constexpr std::initializer_list<int> kLinePanelColumns = {kPanelNameColumn, kTownColumn};

void AppendLineSection(std::string& html, const CampaignReport& report, size_t l,
                       const std::vector<size_t>& figuresOfLine, bool withCharts) {
    const BookingLine& line = report.lines[l];
    html += "<section class=\"line\">\n<h2>" + LineHeading(line) + "</h2>\n<p class=\"span\">" +
            LineSpan(report, line, figuresOfLine) + "</p>\n<p class=\"order\">" +
            LineOrder(report, line, figuresOfLine) + "</p>\n";
    if (line.firstDay > report.result.asOfDay) {
        html += "<p class=\"pending\">" + Text(NotStartedText(line.firstDay)) + "</p>\n";
    }
    html += TableStart(Heads(kLinePanelColumns) + Heads(kFiguresColumns));
    std::string charts;
    for (const size_t f : figuresOfLine) {
        const LineFigures& figures = report.result.figures[f];
        const CampaignPanel& panel = report.panels[figures.panel];
        html += "<tr>" + Cells(kLinePanelColumns, {PanelName(panel), Text(PanelTownText(panel))}) +
                FiguresCells(line, figures) + "</tr>\n";
        if (withCharts && !figures.delivered.empty()) {
            charts += "<div class=\"charts line\"><figure><figcaption>" +
                      PageWording(PageText::kPanelChart, {PanelLabel(panel)}) + "</figcaption>";
            AppendDayChart(charts, figures.delivered, line.playsPerDay, line.firstDay,
                           figures.daysLeft, DaysWithoutRecord(report, line, figures));
            charts += "</figure>\n";
            AppendHourChart(charts, PanelLabel(panel), figures.playsPerHour);
            charts += "</div>\n";
        }
    }
    html += "</tbody></table>\n";
    AppendLineTimes(html, report, figuresOfLine);
    AppendLineMarkets(html, report, figuresOfLine);
    html += charts + "</section>\n";
}

// Fewer bytes than the page's charts take.
size_t ChartsLeastBytes(const CampaignReport& report) {
    size_t least = 0;
    for (const LineFigures& figures : report.result.figures) {
        if (!figures.delivered.empty()) {
            least += DayChartLeastBytes(figures.delivered, figures.daysLeft);
        }
    }
    return least;
}

// With charts while the page stays within `largest` bytes, counting the `rest` that follows;
// false, with html part-written, once it would not.
bool AppendLineSections(std::string& html, const CampaignReport& report, bool withCharts,
                        size_t rest, size_t largest) {
    const std::vector<std::vector<size_t>> byLine = FiguresByLine(report);
    for (size_t l = 0; l < report.lines.size(); ++l) {
        AppendLineSection(html, report, l, byLine[l], withCharts);
        if (html.size() + rest > largest) {
            return false;
        }
    }
    return true;
}

// The operator's planning figure: what each line still short must play a day from now on.
void AppendMakeGood(std::string& html, const CampaignReport& report) {
    std::string rows;
    for (const LineFigures& figures : report.result.figures) {
        std::vector<std::string> cells = MakeGoodCells(report, figures);
        if (!cells.empty()) {
            for (std::string& cell : cells) {
                cell = Text(cell);
            }
            rows += "<tr>" + Cells(kMakeGoodColumns, cells) + "</tr>\n";
        }
    }
    if (rows.empty()) {
        return;
    }
    html += "<section class=\"makegood\">\n<h2>" + Text(MakeGoodTitle()) + "</h2>\n" +
            TableStart(Heads(kMakeGoodColumns)) + rows + "</tbody></table>\n</section>\n";
}

constexpr std::initializer_list<int> kEvidenceColumns = {
    kPanelColumn, kFileColumn, kSizeColumn, kDigestColumn, kPlaySpanColumn, kPlausibilityColumn};

std::string EvidenceRow(const std::string& panel, const std::string& path, uint64_t size,
                        const Sha256Digest& digest, const std::string& span,
                        const std::string& plausibility) {
    // verify reads the name back from the attribute: it has to come back byte for byte.
    return "<tr data-file=\"" + HtmlAttribute(path) + "\" data-size=\"" + Number(size) +
           "\" data-sha256=\"" + HexDigest(digest) + "\">" +
           Cells(kEvidenceColumns,
                 {panel, Text(path), Number(size), HexDigest(digest), span, plausibility}) +
           "</tr>\n";
}

std::string FileKindText(OperatorFileKind kind) {
    switch (kind) {
        case OperatorFileKind::kRegister:
            return PageWording(PageText::kRegisterFile);
        case OperatorFileKind::kAudience:
            return PageWording(PageText::kAudienceFile);
        case OperatorFileKind::kIssuer:
            return PageWording(PageText::kIssuerFile);
    }
    return "";
}

void AppendEvidence(std::string& html, const CampaignReport& report) {
    html += "<section class=\"evidence\">\n<h2>" + PageWording(PageText::kEvidenceHeading) +
            "</h2>\n<p>" + PageWording(PageText::kEvidenceIntro) + "</p>\n" +
            TableStart(Heads(kEvidenceColumns));
    html += EvidenceRow("", report.booking.path, report.booking.size, report.booking.digest,
                        PageWording(PageText::kBookingFile), "");
    for (const OperatorFileEvidence& file : report.booking.operatorFiles) {
        html += EvidenceRow("", file.path, file.size, file.digest, FileKindText(file.kind), "");
    }
    for (const LogEvidence& log : report.result.logs) {
        const std::string span =
            log.hasPlays
                ? PageWording(PageText::kPlaySpan, {StampText(log.first), StampText(log.last)})
                : PageWording(PageText::kNoPlays);
        // The panel's folder, as the files are named.
        html +=
            EvidenceRow(Text(report.panels[log.panel].name), log.path, log.size, log.digest, span,
                        IsPlausible(log) ? PageWording(PageText::kLogWithoutFault)
                                         : Text(PlausibilityText(log)));
    }
    html += "</tbody></table>\n</section>\n";
}

}  // namespace

std::string CampaignPage(const CampaignReport& report, const SystemTime& madeAt) {
    std::string html = PageStart(PageWording(PageText::kHeading) + " – " + Text(report.name)) +
                       std::string(kCampaignStyle);
    html += "</head>\n<body>\n";
    AppendHeader(html, report, madeAt);
    html += "<main>\n";
    AppendClientSummary(html, report);
    AppendMarkets(html, report);
    AppendPanelAvailability(html, report);
    AppendCampaignContacts(html, report);
    if (report.client.empty()) {
        AppendMakeGood(html, report);
    }
    std::string rest;
    AppendOutages(rest, report);
    AppendEvidence(rest, report);
    // Data for a recount, which no browser runs.
    rest += ProofSettingsBlock(report.settings);
    rest += "</main>\n</body>\n</html>\n";
    // Only an overview beside the clients' own pages may leave its charts to them.
    const bool mayLeaveCharts = report.client.empty() && report.clientPagesBeside;
    const size_t sectionsStart = html.size();
    if (!mayLeaveCharts) {
        AppendLineSections(html, report, true, 0, SIZE_MAX);
    } else if (html.size() + rest.size() + ChartsLeastBytes(report) > kLargestPage ||
               !AppendLineSections(html, report, true, rest.size(), kLargestPage)) {
        html.resize(sectionsStart);
        html +=
            "<p>" +
            PageWording(PageText::kChartsOnClientPages, {std::to_string(kLargestPageMegabytes)}) +
            "</p>\n";
        AppendLineSections(html, report, false, 0, SIZE_MAX);
    }
    return html + rest;
}
