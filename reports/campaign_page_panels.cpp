#include "reports/campaign_page_panels.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "base/cp1250.h"
#include "campaign/line_figures.h"
#include "reports/campaign_figure_texts.h"
#include "reports/campaign_page_cells.h"

namespace {

constexpr char kComma = ',';

std::string Utf8(const std::string& cp1250) {
    return Cp1250ToUtf8(cp1250);
}

bool HasAudience(const CampaignReport& report, const std::vector<size_t>& figures) {
    return std::any_of(figures.begin(), figures.end(), [&](size_t f) {
        return !report.panels[report.result.figures[f].panel].audience.Empty();
    });
}

// The contacts of some lines × panels: contracted where the lines give Kontakty.
struct Contacts {
    std::optional<double> contracted;
    double delivered = 0;
    uint64_t withoutAudience = 0;

    void Add(const CampaignReport& report, const LineFigures& figures) {
        const BookingLine& line = report.lines[figures.line];
        if (const std::optional<double> part = ContractedContactsToDate(
                line, figures, PanelsOfLine(report.result, figures.line))) {
            contracted = contracted.value_or(0) + *part;
        }
        delivered += figures.impressions;
        withoutAudience += figures.playsWithoutAudience;
    }
    std::vector<std::string> Cells() const {
        std::string estimate = Text(ContactsText(delivered));
        if (const std::string note = IncompleteEstimateText(withoutAudience); !note.empty()) {
            estimate += " <small>(" + Text(note) + ")</small>";
        }
        return {contracted ? Text(ContactsText(*contracted)) : Utf8(ShareText({}, 0, kComma)),
                estimate, Utf8(ContactsRatioText(contracted, delivered, kComma))};
    }
};

void AppendMarketRows(std::string& html, const std::vector<std::vector<std::string>>& rows,
                      size_t skip, std::initializer_list<int> columns) {
    for (const std::vector<std::string>& row : rows) {
        std::vector<std::string> cells;
        for (size_t i = skip; i < row.size(); ++i) {
            cells.push_back(Text(row[i]));
        }
        const bool total = row[2] == AllTownsText();
        html += std::string(total ? "<tr class=\"total\">" : "<tr>") + Cells(columns, cells) +
                "</tr>\n";
    }
}

const std::string* AudienceFilePath(const CampaignReport& report) {
    for (const OperatorFileEvidence& file : report.booking.operatorFiles) {
        if (file.kind == OperatorFileKind::kAudience) {
            return &file.path;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<size_t> PanelsOfReport(const CampaignReport& report) {
    std::vector<bool> used(report.panels.size(), false);
    for (const LineFigures& figures : report.result.figures) {
        used[figures.panel] = true;
    }
    std::vector<size_t> panels;
    for (size_t p = 0; p < used.size(); ++p) {
        if (used[p]) {
            panels.push_back(p);
        }
    }
    return panels;
}

void AppendMarkets(std::string& html, const CampaignReport& report) {
    html += "<section class=\"markets\">\n<h2>" + Text(MarketsTitle()) + "</h2>\n" +
            TableStart(Heads(kMarketColumns));
    AppendMarketRows(html, MarketCells(report), 0, kMarketColumns);
    html += "</tbody></table>\n</section>\n";
}

void AppendLineMarkets(std::string& html, const CampaignReport& report,
                       const std::vector<size_t>& figuresOfLine) {
    static constexpr std::initializer_list<int> kColumns = {kTownColumn, kScreensBookedColumn,
                                                            kScreensDeliveredColumn, kBookedColumn,
                                                            kDeliveredColumn};
    html += "<h3>" + Text(MarketsTitle()) + "</h3>\n" + TableStart(Heads(kColumns));
    AppendMarketRows(html, MarketCells(report, figuresOfLine), 2, kColumns);
    html += "</tbody></table>\n";
}

void AppendLineTimes(std::string& html, const CampaignReport& report,
                     const std::vector<size_t>& figuresOfLine) {
    static constexpr std::initializer_list<int> kColumns = {
        kPanelNameColumn,          kAvailabilityColumn,      kShareOfTimeColumn,
        kContractedContactsColumn, kEstimatedContactsColumn, kContactsRatioColumn};
    static constexpr std::initializer_list<int> kWithoutContacts = {
        kPanelNameColumn, kAvailabilityColumn, kShareOfTimeColumn};
    const bool contacts = HasAudience(report, figuresOfLine);
    html += "<h3>" + PageWording(PageText::kLineTimeHeading) + "</h3>\n" +
            TableStart(contacts ? Heads(kColumns) : Heads(kWithoutContacts));
    for (const size_t f : figuresOfLine) {
        const LineFigures& figures = report.result.figures[f];
        const CampaignPanel& panel = report.panels[figures.panel];
        std::vector<std::string> cells = {
            PanelName(panel), Utf8(AvailabilityText(figures.time, kComma)),
            Utf8(ShareOfTimeText(figures.playedSeconds, figures.time, kComma))};
        if (contacts && !panel.audience.Empty()) {
            Contacts sum;
            sum.Add(report, figures);
            for (std::string& cell : sum.Cells()) {
                cells.push_back(std::move(cell));
            }
        } else if (contacts) {
            cells.insert(cells.end(), 3, "");
        }
        html += "<tr>" + Cells(kColumns, cells) + "</tr>\n";
    }
    html += "</tbody></table>\n";
}

void AppendPanelAvailability(std::string& html, const CampaignReport& report) {
    static constexpr std::initializer_list<int> kColumns = {kPanelNameColumn, kTownColumn,
                                                            kAvailabilityColumn};
    html += "<section class=\"panels\">\n<h2>" + PageWording(PageText::kPanelsHeading) + "</h2>\n" +
            TableStart(Heads(kColumns));
    for (const size_t p : PanelsOfReport(report)) {
        const CampaignPanel& panel = report.panels[p];
        const WindowTime time =
            p < report.result.panelTimes.size() ? report.result.panelTimes[p] : WindowTime{};
        html += "<tr>" +
                Cells(kColumns, {PanelName(panel), Text(PanelTownText(panel)),
                                 Utf8(AvailabilityText(time, kComma))}) +
                "</tr>\n";
    }
    html += "</tbody></table>\n</section>\n";
}

void AppendCampaignContacts(std::string& html, const CampaignReport& report) {
    static constexpr std::initializer_list<int> kColumns = {
        kClientColumn, kCampaignColumn, kContractedContactsColumn, kEstimatedContactsColumn,
        kContactsRatioColumn};
    std::vector<std::pair<std::string, std::string>> order;
    std::map<std::pair<std::string, std::string>, Contacts> byCampaign;
    for (const LineFigures& figures : report.result.figures) {
        if (report.panels[figures.panel].audience.Empty()) {
            continue;
        }
        const BookingLine& line = report.lines[figures.line];
        const auto key = std::make_pair(line.client, line.campaign);
        if (byCampaign.find(key) == byCampaign.end()) {
            order.push_back(key);
        }
        byCampaign[key].Add(report, figures);
    }
    if (order.empty()) {
        return;
    }
    const std::string* audience = AudienceFilePath(report);
    html += "<section class=\"contacts\">\n<h2>" + PageWording(PageText::kContactsHeading) +
            "</h2>\n<p>" +
            PageWording(PageText::kAudienceRule, {audience ? Text(*audience) : std::string()}) +
            "</p>\n" + TableStart(Heads(kColumns));
    for (const auto& key : order) {
        std::vector<std::string> cells = {Text(key.first), Text(key.second)};
        for (std::string& cell : byCampaign[key].Cells()) {
            cells.push_back(std::move(cell));
        }
        html += "<tr>" + Cells(kColumns, cells) + "</tr>\n";
    }
    html += "</tbody></table>\n</section>\n";
}
