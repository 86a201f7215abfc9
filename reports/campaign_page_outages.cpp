#include "reports/campaign_page_outages.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_page_cells.h"
#include "reports/campaign_report.h"
#include "reports/campaign_texts.h"

namespace {

constexpr std::initializer_list<int> kOutageColumns = {kPanelColumn, kDateColumn, kStartColumn,
                                                       kEndColumn, kLengthColumn};
constexpr std::initializer_list<int> kShortDayColumns = {
    kLineNumberColumn, kPanelColumn, kDateColumn, kBookedColumn, kDeliveredColumn, kReasonColumn};

// The counted days of a missing month on its panel, "1. 11. – 20. 11. 2026"; "" without any.
std::string MissingDaysText(const CampaignReport& report, const MissingLog& log) {
    const int32_t monthStart = DayNumber({log.year, log.month, 1});
    const int32_t monthEnd = DayNumber({log.month == 12 ? log.year + 1 : log.year,
                                        log.month == 12 ? 1 : log.month + 1, 1}) -
                             1;
    int32_t first = INT32_MAX, last = INT32_MIN;
    for (const LineFigures& figures : report.result.figures) {
        if (figures.panel != log.panel || figures.delivered.empty()) {
            continue;
        }
        const int32_t from = report.lines[figures.line].firstDay;
        const int32_t to = from + static_cast<int32_t>(figures.delivered.size()) - 1;
        first = std::min(first, std::max(from, monthStart));
        last = std::max(last, std::min(to, monthEnd));
    }
    if (first > last) {
        return "";
    }
    return first == last ? Cp1250ToUtf8(SpacedDateText(first))
                         : Cp1250ToUtf8(SpacedDayMonthText(first)) + " – " +
                               Cp1250ToUtf8(SpacedDateText(last));
}

// The days that no log records, each panel's with its name; "" when every day has a record.
std::string NoRecordText(const CampaignReport& report) {
    std::string text;
    for (const MissingLog& log : report.result.missingLogs) {
        const std::string days = MissingDaysText(report, log);
        if (!days.empty()) {
            text += (text.empty() ? "" : "; ") + PanelLabel(report.panels[log.panel]) + " " + days;
        }
    }
    return text;
}

// No outage is good news only where the logs record the days.
void AppendOutageTable(std::string& html, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const std::string gap = std::to_string(report.gapMinutes);
    const std::string noRecord = NoRecordText(report);
    if (result.outages.empty()) {
        html += noRecord.empty()
                    ? "<p class=\"ok\">" + PageWording(PageText::kNoOutage, {gap}) + "</p>\n"
                    : "<p class=\"warn\">" +
                          PageWording(PageText::kNoOutageButNoRecord, {gap, noRecord}) + "</p>\n";
        return;
    }
    html += TableStart(Heads(kOutageColumns));
    for (const Outage& outage : result.outages) {
        html += "<tr>" +
                Cells(kOutageColumns, {PanelLabel(report.panels[outage.panel]), Date(outage.day),
                                       SecondsText(outage.start), SecondsText(outage.end),
                                       SecondsText(outage.seconds)}) +
                "</tr>\n";
    }
    html += "</tbody></table>\n";
    if (!noRecord.empty()) {
        html += "<p class=\"warn\">" + PageWording(PageText::kNoRecordDays, {noRecord}) + "</p>\n";
    }
}

void AppendWarning(std::string& html, const std::string& text) {
    html += "<p class=\"warn\">" + text + "</p>\n";
}

// The reason in a business reader's words: a panel that ran and played the spot too seldom.
std::string ShortDayReason(const CampaignResult& result, const ShortDay& day, uint32_t booked,
                           uint32_t delivered) {
    if (!day.logMissing && !day.noPlayAtAll && day.outages.empty() && !day.afterLogEnd) {
        return PageWording(PageText::kRanShort, {Number(delivered), Number(booked)});
    }
    return Text(ShortDayReasonText(result, day));
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
        const uint32_t delivered = figures.delivered[day.day - line.firstDay];
        html += "<tr>" +
                Cells(kShortDayColumns,
                      {std::to_string(line.lineNumber), PanelLabel(report.panels[figures.panel]),
                       Date(day.day), Number(line.playsPerDay), Number(delivered),
                       ShortDayReason(result, day, line.playsPerDay, delivered)}) +
                "</tr>\n";
    }
    html += "</tbody></table>\n";
}

}  // namespace

std::vector<bool> DaysWithoutRecord(const CampaignReport& report, const BookingLine& line,
                                    const LineFigures& figures) {
    std::vector<bool> days;
    for (const MissingLog& log : report.result.missingLogs) {
        if (log.panel != figures.panel) {
            continue;
        }
        days.resize(figures.delivered.size(), false);
        for (size_t i = 0; i < days.size(); ++i) {
            const CivilDate date = DateOfDay(line.firstDay + static_cast<int32_t>(i));
            days[i] = days[i] || (date.year == log.year && date.month == log.month);
        }
    }
    return days;
}

void AppendOutages(std::string& html, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const auto panel = [&](size_t index) { return PanelLabel(report.panels[index]); };
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
    const std::vector<size_t> named = NamedOverlaps(result);
    for (const size_t o : named) {
        const BookingOverlap& overlap = result.overlaps[o];
        AppendWarning(html, PageWording(PageText::kOverlap,
                                        {std::to_string(report.lines[overlap.first].lineNumber),
                                         std::to_string(report.lines[overlap.second].lineNumber),
                                         Number(overlap.sharedPlays)}));
    }
    if (named.size() < result.overlaps.size()) {
        AppendWarning(html, PageWording(PageText::kMoreOverlaps,
                                        {Number(result.overlaps.size() - named.size())}));
    }
    html += "</section>\n";
}
