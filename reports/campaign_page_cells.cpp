#include "reports/campaign_page_cells.h"

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_figure_texts.h"
#include "reports/campaign_report.h"
#include "reports/html_escape.h"

namespace {

// How a column's cells stand: counts to the right, times as times, the hash in monospace.
enum class CellKind { kText, kCount, kTime, kHash };

CellKind KindOf(int column) {
    switch (column) {
        case kBookedColumn:
        case kDeliveredColumn:
        case kBonusColumn:
        case kPercentColumn:
        case kDaysShortColumn:
        case kPanelDaysShortColumn:
        case kDaysLeftColumn:
        case kNeededColumn:
        case kSizeColumn:
        case kScreensBookedColumn:
        case kScreensDeliveredColumn:
        case kAvailabilityColumn:
        case kShareOfTimeColumn:
        case kContractedContactsColumn:
        case kEstimatedContactsColumn:
        case kContactsRatioColumn:
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

// The page words some titles for a business reader; the CSV keeps its own.
std::string TitleOf(int column) {
    switch (column) {
        case kBonusColumn:
            return PageWording(PageText::kBonusTitle);
        case kPanelDaysShortColumn:
            return PageWording(PageText::kPanelDaysShortTitle);
        case kPlausibilityColumn:
            return PageWording(PageText::kLogCheckTitle);
        default:
            return Cp1250ToUtf8(CampaignColumnTitle(column));
    }
}

}  // namespace

std::string Text(std::string_view cp1250) {
    return HtmlText(cp1250);
}

std::string Number(uint64_t value) {
    return std::to_string(value);
}

std::string Date(int32_t day) {
    return Cp1250ToUtf8(CzechDateText(day));
}

std::string Head(int column) {
    const CellKind kind = KindOf(column);
    const char* open = kind == CellKind::kCount  ? "<th class=\"num\">"
                       : kind == CellKind::kTime ? "<th class=\"time\">"
                                                 : "<th>";
    return open + TitleOf(column) + "</th>";
}

std::string Heads(std::initializer_list<int> columns) {
    std::string heads;
    for (const int column : columns) {
        heads += Head(column);
    }
    return heads;
}

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

std::string PanelName(const CampaignPanel& panel) {
    const std::string name = Text(PanelNameText(panel));
    const std::string address = panel.registered ? MapAddress(*panel.registered) : "";
    if (address.empty()) {
        return name;
    }
    // A plain link: the page itself still fetches nothing.
    return "<a href=\"" + HtmlAttribute(address) + "\" rel=\"noopener\">" + name + "</a>";
}

std::string PanelLabel(const CampaignPanel& panel) {
    std::string label = PanelName(panel);
    if (panel.registered && !panel.registered->town.empty()) {
        label += " (" + Text(panel.registered->town) + ")";
    }
    return label;
}
