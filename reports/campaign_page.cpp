// The campaign's page for the client. Its own texts are UTF-8; whatever comes from the booking
// file, the panels or the logs goes through HtmlText.
#include "reports/campaign_page.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_chart.h"
#include "reports/campaign_texts.h"
#include "reports/html_page.h"
#include "reports/play_lists.h"

namespace {

constexpr std::string_view kCampaignStyle = R"(<style>
.chart .bar.short{fill:#dd6b20}
.chart .level{stroke:#2d3748;stroke-width:2;stroke-dasharray:6 4}
.chart .pending{fill:#edf2f7;stroke:#a0aec0;stroke-dasharray:2 2}
.ok{color:#276749}
.warn{color:#9b2c2c;font-weight:bold}
td.hash{font-family:Consolas,"DejaVu Sans Mono",monospace;font-size:12px;overflow-wrap:anywhere}
section.line{break-before:page}
</style>
)";

std::string Text(std::string_view cp1250) {
    return HtmlText(cp1250);
}

std::string Number(uint64_t value) {
    return std::to_string(value);
}

std::string Percent(const FiguresTotal& total) {
    return Cp1250ToUtf8(PercentText(total, ','));
}

std::string Date(int32_t day) {
    return Cp1250ToUtf8(CzechDateText(day));
}

// Past this the overview leaves the charts per line to the clients' pages.
constexpr size_t kLargestPageMegabytes = 20;
constexpr size_t kLargestPage = kLargestPageMegabytes * 1000 * 1000;

// A client's or campaign's sum: the figures of its lines and the days they have left.
struct Sum {
    FiguresTotal total{0, 0, 0, 0};
    uint64_t daysLeft = 0;

    void Add(const BookingLine& line, const LineFigures& figures) {
        const FiguresTotal part = TotalOf(line, figures);
        total.booked += part.booked;
        total.delivered += part.delivered;
        total.bonus += part.bonus;
        total.daysShort += part.daysShort;
        daysLeft += figures.daysLeft;
    }
};

// How a column's cells stand: counts to the right, times as times, the hash in monospace.
enum class CellKind { kText, kCount, kTime, kHash };

CellKind KindOf(int column) {
    switch (column) {
        case kBookedColumn:
        case kDeliveredColumn:
        case kBonusColumn:
        case kPercentColumn:
        case kDaysShortColumn:
        case kDaysLeftColumn:
        case kNeededColumn:
        case kSizeColumn:
            return CellKind::kCount;
        case kStartColumn:
        case kEndColumn:
        case kLengthColumn:
            return CellKind::kTime;
        case kDigestColumn:
            return CellKind::kHash;
        default:
            return CellKind::kText;
    }
}

std::string Head(int column) {
    const CellKind kind = KindOf(column);
    const char* open = kind == CellKind::kCount  ? "<th class=\"num\">"
                       : kind == CellKind::kTime ? "<th class=\"time\">"
                                                 : "<th>";
    return open + Cp1250ToUtf8(CampaignColumnTitle(column)) + "</th>";
}

std::string Heads(std::initializer_list<int> columns) {
    std::string heads;
    for (const int column : columns) {
        heads += Head(column);
    }
    return heads;
}

// Each cell under its column; the cells are HTML already.
std::string Cells(std::initializer_list<int> columns, const std::vector<std::string>& cells) {
    static constexpr const char* kOpen[] = {"<td>", "<td class=\"num\">", "<td class=\"time\">",
                                            "<td class=\"hash\">"};
    std::string row;
    for (size_t i = 0; i < columns.size() && i < cells.size(); ++i) {
        row += kOpen[static_cast<int>(KindOf(columns.begin()[i]))] + cells[i] + "</td>";
    }
    return row;
}

std::string TableStart(const std::string& heads) {
    return "<table><thead><tr>" + heads + "</tr></thead>\n<tbody>\n";
}

constexpr std::initializer_list<int> kFiguresColumns = {kBookedColumn,    kDeliveredColumn,
                                                        kBonusColumn,     kPercentColumn,
                                                        kDaysShortColumn, kDaysLeftColumn};

std::string FiguresCells(const Sum& sum) {
    const FiguresTotal& total = sum.total;
    return Cells(kFiguresColumns,
                 {Number(total.booked), Number(total.delivered), Number(total.bonus),
                  Percent(total), Number(total.daysShort), Number(sum.daysLeft)});
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

void AppendHeader(std::string& html, const CampaignReport& report, const SystemTime& madeAt) {
    int32_t first = report.lines.front().firstDay;
    int32_t last = report.lines.front().lastDay;
    for (const BookingLine& line : report.lines) {
        first = std::min(first, line.firstDay);
        last = std::max(last, line.lastDay);
    }
    std::string panels;
    for (const CampaignPanel& panel : report.panels) {
        panels += (panels.empty() ? "" : ", ") + Text(panel.name);
    }
    html += "<header>\n<h1>" + PageWording(PageText::kHeading) + "</h1>\n<p class=\"lead\">" +
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
    term(PageText::kPanelsTerm, panels);
    term(PageText::kOutageTerm,
         PageWording(PageText::kOutageDefinition, {std::to_string(report.gapMinutes)}));
    term(PageText::kTimesTerm, PageWording(PageText::kTimesDefinition));
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
            "</h2>\n" + TableStart(Heads(kSummaryColumns) + Heads(kFiguresColumns));
    for (const auto& key : order) {
        html += "<tr>" +
                Cells(kSummaryColumns, {Text(key.first), Text(key.second), Text(contracts[key])}) +
                FiguresCells(byCampaign[key]) + "</tr>\n";
    }
    html += "</tbody><tfoot><tr><th>" + PageWording(PageText::kTotalRow) + "</th>" +
            Cells({kCampaignColumn, kContractColumn}, {"", ""}) + FiguresCells(all) +
            "</tr></tfoot></table>\n</section>\n";
}

// Each line's figures, in their order: one walk, not one per line.
std::vector<std::vector<size_t>> FiguresByLine(const CampaignReport& report) {
    std::vector<std::vector<size_t>> byLine(report.lines.size());
    for (size_t f = 0; f < report.result.figures.size(); ++f) {
        byLine[report.result.figures[f].line].push_back(f);
    }
    return byLine;
}

std::string LineSpan(const BookingLine& line) {
    std::string span =
        Date(line.firstDay) + " – " + Date(line.lastDay) + ", " + WindowText(line) + ", " +
        PageWording(PageText::kPlaysPerDay, {std::to_string(line.playsPerDay)}) + ", " +
        (line.panel.empty() ? PageWording(PageText::kEveryPanel)
                            : PageWording(PageText::kOnePanel, {Text(line.panel)}));
    if (!line.contract.empty()) {
        span += ", " + PageWording(PageText::kContract, {Text(line.contract)});
    }
    return span;
}

void AppendLineSection(std::string& html, const CampaignReport& report, size_t l,
                       const std::vector<size_t>& figuresOfLine, bool withCharts) {
    const BookingLine& line = report.lines[l];
    html += "<section class=\"line\">\n<h2>" +
            PageWording(PageText::kLineHeading, {std::to_string(line.lineNumber), Text(line.client),
                                                 Text(line.campaign), Text(line.spot)}) +
            "</h2>\n<p class=\"span\">" + LineSpan(line) + "</p>\n";
    if (line.firstDay > report.result.asOfDay) {
        html += "<p class=\"pending\">" + Text(NotStartedText(line.firstDay)) + "</p>\n";
    }
    html += TableStart(Head(kPanelColumn) + Heads(kFiguresColumns));
    std::string charts;
    for (const size_t f : figuresOfLine) {
        const LineFigures& figures = report.result.figures[f];
        Sum sum;
        sum.Add(line, figures);
        const std::string panel = Text(report.panels[figures.panel].name);
        html += "<tr>" + Cells({kPanelColumn}, {panel}) + FiguresCells(sum) + "</tr>\n";
        if (withCharts && !figures.delivered.empty()) {
            charts += "<figure><figcaption>" + PageWording(PageText::kPanelChart, {panel}) +
                      "</figcaption>";
            AppendDayChart(charts, figures.delivered, line.playsPerDay, line.firstDay,
                           figures.daysLeft);
            charts += "</figure>\n";
        }
    }
    html += "</tbody></table>\n" + charts + "</section>\n";
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

constexpr std::initializer_list<int> kOutageColumns = {kPanelColumn, kDateColumn, kStartColumn,
                                                       kEndColumn, kLengthColumn};
constexpr std::initializer_list<int> kShortDayColumns = {
    kLineNumberColumn, kPanelColumn, kDateColumn, kBookedColumn, kDeliveredColumn, kReasonColumn};

void AppendOutageTable(std::string& html, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    if (result.outages.empty()) {
        html += "<p class=\"ok\">" +
                PageWording(PageText::kNoOutage, {std::to_string(report.gapMinutes)}) + "</p>\n";
        return;
    }
    html += TableStart(Heads(kOutageColumns));
    for (const Outage& outage : result.outages) {
        html += "<tr>" +
                Cells(kOutageColumns, {Text(report.panels[outage.panel].name), Date(outage.day),
                                       SecondsText(outage.start), SecondsText(outage.end),
                                       SecondsText(outage.seconds)}) +
                "</tr>\n";
    }
    html += "</tbody></table>\n";
}

void AppendWarning(std::string& html, const std::string& text) {
    html += "<p class=\"warn\">" + text + "</p>\n";
}

void AppendShortDays(std::string& html, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    if (result.shortDays.empty()) {
        return;
    }
    html += "<h3>" + PageWording(PageText::kShortDaysHeading) + "</h3>\n" +
            TableStart(Heads(kShortDayColumns));
    for (const ShortDay& day : result.shortDays) {
        const LineFigures& figures = result.figures[day.figures];
        const BookingLine& line = report.lines[figures.line];
        html += "<tr>" +
                Cells(kShortDayColumns,
                      {std::to_string(line.lineNumber), Text(report.panels[figures.panel].name),
                       Date(day.day), Number(line.playsPerDay),
                       Number(figures.delivered[day.day - line.firstDay]),
                       Text(ShortDayReasonText(result, day))}) +
                "</tr>\n";
    }
    html += "</tbody></table>\n";
}

void AppendOutages(std::string& html, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const auto panel = [&](size_t index) { return Text(report.panels[index].name); };
    html +=
        "<section class=\"outages\">\n<h2>" + PageWording(PageText::kOutagesHeading) + "</h2>\n";
    AppendOutageTable(html, report);
    for (const SilentDay& day : result.silentDays) {
        AppendWarning(html, PageWording(PageText::kSilentDay, {panel(day.panel), Date(day.day)}));
    }
    for (const MissingLog& log : result.missingLogs) {
        AppendWarning(html, PageWording(PageText::kMissingLog, {Text(log.path), panel(log.panel)}));
    }
    for (const LogEnd& end : result.logEnds) {
        AppendWarning(html, PageWording(PageText::kLogEnd,
                                        {panel(end.panel), Text(LogEndText(end.day, end.second))}));
    }
    AppendShortDays(html, report);
    for (const BookingOverlap& overlap : result.overlaps) {
        AppendWarning(html, PageWording(PageText::kOverlap,
                                        {std::to_string(report.lines[overlap.first].lineNumber),
                                         std::to_string(report.lines[overlap.second].lineNumber),
                                         Number(overlap.sharedPlays)}));
    }
    html += "</section>\n";
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

void AppendEvidence(std::string& html, const CampaignReport& report) {
    html += "<section class=\"evidence\">\n<h2>" + PageWording(PageText::kEvidenceHeading) +
            "</h2>\n<p>" + PageWording(PageText::kEvidenceIntro) + "</p>\n" +
            TableStart(Heads(kEvidenceColumns));
    html += EvidenceRow("", report.booking.path, report.booking.size, report.booking.digest,
                        PageWording(PageText::kBookingFile), "");
    for (const OperatorFileEvidence& file : report.booking.operatorFiles) {
        html += EvidenceRow("", file.path, file.size, file.digest, "", "");
    }
    for (const LogEvidence& log : report.result.logs) {
        const std::string span =
            log.hasPlays
                ? PageWording(PageText::kPlaySpan, {StampText(log.first), StampText(log.last)})
                : PageWording(PageText::kNoPlays);
        html += EvidenceRow(Text(report.panels[log.panel].name), log.path, log.size, log.digest,
                            span, Text(PlausibilityText(log)));
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
    if (report.client.empty()) {
        AppendMakeGood(html, report);
    }
    std::string rest;
    AppendOutages(rest, report);
    AppendEvidence(rest, report);
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
