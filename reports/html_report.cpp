#include "reports/html_report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/cp1250.h"
#include "base/gregorian.h"
#include "logdata/totals.h"
#include "reports/html_page.h"
#include "reports/report_file.h"

// The page's own texts are written here in UTF-8; whatever comes from the log goes through
// HtmlText.
namespace {

constexpr const char* kMonthNames[12] = {"leden",  "únor",   "březen",   "duben",
                                         "květen", "červen", "červenec", "srpen",
                                         "září",   "říjen",  "listopad", "prosinec"};

std::string MonthInWords(ReportMonth month) {
    if (month.month >= 1 && month.month <= 12) {
        return std::string(kMonthNames[month.month - 1]) + " " + std::to_string(month.year);
    }
    return "měsíc " + std::to_string(month.month) + " roku " + std::to_string(month.year);
}

// An end of the time window as typed, "%d:%02d": any signed numbers.
std::string ClockText(int32_t hour, int32_t minute) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(hour), static_cast<int>(minute));
    return text;
}

void AppendFilter(std::string& html, const ScanFilter& filter, const SystemTime& madeAt) {
    html += "<dl class=\"filter\">\n<dt>Dny</dt><dd>";
    html += filter.day == 0 ? "všechny dny měsíce"
                            : "jen " + std::to_string(filter.day) + ". den měsíce";
    html += "</dd>\n<dt>Denní doba</dt><dd>";
    html += filter.timeFilterOn ? "od " + ClockText(filter.fromHour, filter.fromMinute) + " do " +
                                      ClockText(filter.toHour, filter.toMinute)
                                : std::string("celý den");
    html += "</dd>\n<dt>Názvy animací</dt><dd>";
    html += filter.stripPaths != 0 ? "jen názvy souborů, bez složek"
                                   : "celé cesty, jak je zapsal přehrávač";
    html += "</dd>\n<dt>Vytvořeno</dt><dd>";
    AppendMadeAt(html, madeAt);
    html += "</dd>\n</dl>\n";
}

std::string TotalTimeText(const TotalTime& time) {
    char text[80];
    const int size = FormatTotalTime(time, text, sizeof text);
    return std::string(text, size > 0 ? std::min(static_cast<size_t>(size), sizeof text - 1) : 0);
}

void AppendTableHead(std::string& html) {
    html += "<thead><tr>";
    for (int column = 0; column < kTotalColumns; ++column) {
        html += column == 0 ? "<th>" : "<th class=\"num\">";
        html += HtmlText(TotalColumnTitle(column).report) + "</th>";
    }
    html += "</tr></thead>\n";
}

void AppendName(std::string& html, const char* name) {
    const std::string_view text(name, strnlen(name, kNameSize));
    html += text.empty() ? std::string("<em>(bez názvu)</em>") : HtmlText(text);
}

// One row of the table; `link` makes the name point to the animation's section.
void AppendRow(std::string& html, const PlaybackLog& log, int32_t row, bool link) {
    html += "<tr><td class=\"name\">";
    if (link) {
        html += "<a href=\"#a" + std::to_string(row + 1) + "\">";
    }
    AppendName(html, log.totals[row].name);
    html += link ? "</a></td>" : "</td>";
    for (int32_t column = 1; column <= 3; ++column) {
        html += column == 3 ? "<td class=\"time\">" : "<td class=\"num\">";
        html += TotalCellText(log, row, column);
        html += "</td>";
    }
    html += "</tr>\n";
}

// The rows' total times add up in range, however odd the spot lengths.
int64_t SaturatingAdd(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? INT64_MAX : INT64_MIN;
    }
    return sum;
}

void AppendTotalsRow(std::string& html, const PlaybackLog& log) {
    int64_t plays = 0;
    int64_t seconds = 0;
    for (int32_t i = 0; i < log.totalCount; ++i) {
        plays += log.totals[i].playCount;
        seconds =
            SaturatingAdd(seconds, TotalSeconds(log.totals[i].playCount, log.totals[i].length));
    }
    html += "<tfoot><tr><th>Celkem</th><td></td><td class=\"num\">" + std::to_string(plays) +
            "</td><td class=\"time\">" + TotalTimeText(SplitTotalTime(seconds)) +
            "</td></tr></tfoot>\n";
}

enum class Axis { kDays, kHours };

// The drawing of one chart in its own units; the page scales it to the column's width.
struct ChartShape {
    int width, height;
    int left, right, top, bottom;
    int labelEvery;  // every n-th bar gets its number; 0: every 5th day, every 3rd hour
    bool wide;       // one chart to a line
};
constexpr ChartShape kMonthChart{1000, 250, 56, 8, 10, 40, 1, true};
constexpr ChartShape kAnimationChart{480, 190, 48, 6, 8, 36, 0, false};

// Bars of counts[0..n) labelled first, first + 1, ...; the value axis runs in round steps.
void AppendBarChart(std::string& html, const uint32_t* counts, int first, int n, Axis axis,
                    const ChartShape& shape) {
    uint64_t most = 0;
    for (int i = 0; i < n; ++i) {
        most = counts[i] > most ? counts[i] : most;
    }
    const uint64_t step = NiceCeiling(most == 0 ? 1 : (most + 3) / 4);
    const uint64_t ticks = most == 0 ? 1 : (most + step - 1) / step;
    const uint64_t top = ticks * step;
    const int plotWidth = shape.width - shape.left - shape.right;
    const int plotHeight = shape.height - shape.top - shape.bottom;
    const int base = shape.top + plotHeight;
    const char* unit = axis == Axis::kDays ? "Den v měsíci" : "Hodina dne";

    html += "<svg class=\"chart\" viewBox=\"0 0 " + std::to_string(shape.width) + " " +
            std::to_string(shape.height) + "\" role=\"img\" aria-label=\"Počet přehrání podle " +
            (axis == Axis::kDays ? "dnů" : "hodin") + "\">";
    for (uint64_t t = 0; t <= ticks; ++t) {
        const int y = base - static_cast<int>(t * static_cast<uint64_t>(plotHeight) / ticks);
        AppendLine(html, shape.left, y, shape.width - shape.right, y, t == 0 ? "axis" : "grid");
        AppendText(html, shape.left - 5, y + 4, "end", std::to_string(t * step));
    }
    const int labelEvery = shape.labelEvery != 0 ? shape.labelEvery : (axis == Axis::kDays ? 5 : 3);
    for (int i = 0; i < n; ++i) {
        const int x0 = shape.left + i * plotWidth / n;
        const int x1 = shape.left + (i + 1) * plotWidth / n;
        const int gap = (x1 - x0) / 6 + 1;
        const int value = first + i;
        if (counts[i] > 0) {
            const int height =
                static_cast<int>(counts[i] * static_cast<uint64_t>(plotHeight) / top);
            html += "<rect class=\"bar\" x=\"" + std::to_string(x0 + gap) + "\" y=\"" +
                    std::to_string(base - height) + "\" width=\"" +
                    std::to_string(x1 - x0 - 2 * gap) + "\" height=\"" + std::to_string(height) +
                    "\"><title>" +
                    (axis == Axis::kDays
                         ? std::to_string(value) + ". den"
                         : std::to_string(value) + ":00–" + std::to_string(value) + ":59") +
                    ": " + std::to_string(counts[i]) + "</title></rect>";
        }
        // Day 1 and hour 0 always; then every n-th from a round number on.
        if (i == 0 || value % labelEvery == 0) {
            AppendText(html, (x0 + x1) / 2, base + 14, "middle", std::to_string(value));
        }
    }
    AppendText(html, shape.left + plotWidth / 2, shape.height - 6, "middle", unit, "title");
    html += "<text x=\"12\" y=\"" + std::to_string(shape.top + plotHeight / 2) +
            "\" text-anchor=\"middle\" class=\"title\" transform=\"rotate(-90 12 " +
            std::to_string(shape.top + plotHeight / 2) + ")\">Počet přehrání</text>";
    html += "</svg>";
}

// Plays that no bar shows, said in words under the charts.
void AppendChartNotes(std::string& html, const PlayCounts& counts) {
    if (counts.notInMonth > 0) {
        html += "<p class=\"note\">Graf podle dnů nezobrazuje " +
                std::to_string(counts.notInMonth) + " přehrání s datem mimo tento měsíc.</p>\n";
    }
    if (counts.badHour > 0) {
        html += "<p class=\"note\">Graf podle hodin nezobrazuje " + std::to_string(counts.badHour) +
                " přehrání s hodinou mimo 0–23.</p>\n";
    }
}

void AppendCharts(std::string& html, const PlayCounts& counts, ReportMonth month,
                  const ChartShape& shape, const std::string& heading) {
    html += shape.wide ? "<div class=\"charts wide\">" : "<div class=\"charts\">";
    html += "\n<figure><figcaption>" + heading + " podle dnů</figcaption>";
    AppendBarChart(html, counts.perDay + 1, 1, DaysInMonth(month), Axis::kDays, shape);
    html += "</figure>\n<figure><figcaption>" + heading + " podle hodin dne</figcaption>";
    AppendBarChart(html, counts.perHour, 0, 24, Axis::kHours, shape);
    html += "</figure>\n</div>\n";
    AppendChartNotes(html, counts);
}

void AppendAnimation(std::string& html, const PlaybackLog& log, int32_t row, ReportMonth month,
                     const PlayCounts& counts, int32_t first, int32_t end) {
    html += "<section class=\"animation\" id=\"a" + std::to_string(row + 1) + "\">\n<h2>";
    AppendName(html, log.totals[row].name);
    html += "</h2>\n<table>";
    AppendTableHead(html);
    html += "<tbody>";
    AppendRow(html, log, row, false);
    html += "</tbody></table>\n";
    if (first < end) {
        html += "<p class=\"span\">První přehrání: <b>" + PlayTimeText(log.records[first].time) +
                "</b>, poslední přehrání: <b>" + PlayTimeText(log.records[end - 1].time) +
                "</b></p>\n";
    }
    AppendCharts(html, counts, month, kAnimationChart, "Přehrání");
    html += "</section>\n";
}

std::string Page(const PlaybackLog& log, ReportMonth month, const SystemTime& madeAt) {
    const std::string monthText = MonthInWords(month);
    std::string sections;
    PlayCounts all{};
    for (int32_t row = 0; row < log.totalCount; ++row) {
        const auto [first, end] = PlaysOf(log, log.totals[row]);
        PlayCounts counts{};
        CountPlays(log.records + first, end - first, month, counts);
        for (int d = 0; d < 32; ++d) {
            all.perDay[d] += counts.perDay[d];
        }
        for (int h = 0; h < 24; ++h) {
            all.perHour[h] += counts.perHour[h];
        }
        all.notInMonth += counts.notInMonth;
        all.badHour += counts.badHour;
        AppendAnimation(sections, log, row, month, counts, first, end);
    }

    std::string html = PageStart("Přehled přehrání – " + monthText);
    html += "</head>\n<body>\n<header>\n<h1>Přehled přehrání animací</h1>\n<p class=\"lead\">" +
            monthText + "</p>\n";
    AppendFilter(html, log.filter, madeAt);
    html += "</header>\n<main>\n<section class=\"summary\">\n<h2>Souhrn</h2>\n<table>";
    AppendTableHead(html);
    html += "<tbody>\n";
    for (int32_t row = 0; row < log.totalCount; ++row) {
        AppendRow(html, log, row, true);
    }
    html += "</tbody>\n";
    AppendTotalsRow(html, log);
    html += "</table>\n";
    if (log.totalCount == 0) {
        html += "<p>Ve zvoleném období se nepřehrála žádná animace.</p>\n";
    }
    AppendCharts(html, all, month, kMonthChart, "Všechna přehrání");
    html += "</section>\n";
    html += sections;
    html += "</main>\n</body>\n</html>\n";
    return html;
}

}  // namespace

int DaysInMonth(ReportMonth month) {
    const uint32_t days = GregorianMonthDays(month.year, month.month);
    return days != 0 ? static_cast<int>(days) : 31;  // a month outside 1..12 counts 31
}

void CountPlays(const PlaybackRecord* plays, int32_t count, ReportMonth month, PlayCounts& counts) {
    const unsigned days = static_cast<unsigned>(DaysInMonth(month));
    for (int32_t i = 0; i < count; ++i) {
        const SystemTime& time = plays[i].time;
        if (time.wYear == month.year && time.wMonth == month.month && time.wDay >= 1 &&
            time.wDay <= days) {
            ++counts.perDay[time.wDay];
        } else {
            ++counts.notInMonth;
        }
        if (time.wHour < 24) {
            ++counts.perHour[time.wHour];
        } else {
            ++counts.badHour;
        }
    }
}

ReportResult WriteHtmlReport(const PlaybackLog& log, ReportMonth month, const SystemTime& madeAt) {
    ReportResult result;
    // A failure is named in result.failures.
    static_cast<void>(WriteReportFile(SummaryReportPath(month, ReportFileType::kHtml),
                                      Page(log, month, madeAt), result.failures));
    return result;
}
