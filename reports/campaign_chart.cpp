// A booking line's chart on a panel, for the campaign's page.
#include "reports/campaign_chart.h"

#include <algorithm>

#include "campaign/calendar.h"
#include "reports/campaign_texts.h"
#include "reports/html_page.h"

namespace {

struct ChartScale {
    uint64_t top, step, ticks;
};

ChartScale ScaleFor(uint64_t most) {
    const uint64_t step = NiceCeiling(most == 0 ? 1 : (most + 3) / 4);
    const uint64_t ticks = most == 0 ? 1 : (most + step - 1) / step;
    return {ticks * step, step, ticks};
}

// A chart's box and margins, and its plot area scaled to the most plays.
struct ChartPlot {
    int width, height, left, right, top, bottom;
    ChartScale scale;
    int PlotWidth() const { return width - left - right; }
    int Base() const { return height - bottom; }
    int HeightOf(uint64_t value) const {
        return static_cast<int>(value * static_cast<uint64_t>(height - top - bottom) / scale.top);
    }
};

// The scale's lines across the plot, each with its number.
void AppendScale(std::string& html, const ChartPlot& plot) {
    for (uint64_t t = 0; t <= plot.scale.ticks; ++t) {
        const int y = plot.Base() - plot.HeightOf(t * plot.scale.step);
        AppendLine(html, plot.left, y, plot.width - plot.right, y, t == 0 ? "axis" : "grid");
        AppendText(html, plot.left - 5, y + 4, "end", std::to_string(t * plot.scale.step));
    }
}

// An empty slot up to the booked level, of a day still to come or without a record.
void AppendSlot(std::string& html, const char* cssClass, int x, int base, int width, int height,
                const std::string& title) {
    html += std::string("<rect class=\"") + cssClass + "\" x=\"" + std::to_string(x) + "\" y=\"" +
            std::to_string(base - height) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
            std::to_string(height) + "\"><title>" + title + "</title></rect>";
}

std::string AxisTitle(bool pending, bool noRecord) {
    std::string legend = PageWording(PageText::kChartLegend);
    if (pending) {
        legend += PageWording(PageText::kChartLegendPending);
    }
    if (noRecord) {
        legend += PageWording(PageText::kChartLegendNoRecord);
    }
    return PageWording(PageText::kChartAxis, {legend});
}

// The hour chart's own texts, UTF-8.
constexpr const char* kHourCaption = ": odvysíláno podle hodin dne";
constexpr const char* kHourLabel = "Odvysíláno podle hodin dne";
constexpr const char* kHourAxis = "Hodina dne (místní čas panelu)";

std::string HourBarTitle(int hour, uint32_t plays) {
    const std::string h = std::to_string(hour);
    return h + ":00–" + h + ":59: " + std::to_string(plays);
}

}  // namespace

void AppendHourChart(std::string& html, const std::string& panel,
                     const std::array<uint32_t, 24>& playsPerHour) {
    const uint64_t most = *std::max_element(playsPerHour.begin(), playsPerHour.end());
    const ChartPlot plot{480, 230, 48, 6, 10, 40, ScaleFor(most)};
    const int left = plot.left, plotWidth = plot.PlotWidth(), base = plot.Base();
    const auto height = [&](uint64_t value) { return plot.HeightOf(value); };
    html += "<figure><figcaption>Panel " + panel + kHourCaption +
            "</figcaption><svg class=\"chart hours\" viewBox=\"0 0 " + std::to_string(plot.width) +
            " " + std::to_string(plot.height) + "\" role=\"img\" aria-label=\"" + kHourLabel +
            "\">";
    AppendScale(html, plot);
    for (int hour = 0; hour < 24; ++hour) {
        const int x0 = left + hour * plotWidth / 24;
        const int x1 = left + (hour + 1) * plotWidth / 24;
        const int gap = (x1 - x0) / 6 + 1;
        const uint32_t plays = playsPerHour[static_cast<size_t>(hour)];
        if (plays > 0) {
            const int h = std::max(1, height(plays));
            html += "<rect class=\"bar\" x=\"" + std::to_string(x0 + gap) + "\" y=\"" +
                    std::to_string(base - h) + "\" width=\"" + std::to_string(x1 - x0 - 2 * gap) +
                    "\" height=\"" + std::to_string(h) + "\"><title>" + HourBarTitle(hour, plays) +
                    "</title></rect>";
        }
        if (hour % 3 == 0) {
            AppendText(html, (x0 + x1) / 2, base + 14, "middle", std::to_string(hour));
        }
    }
    AppendText(html, left + plotWidth / 2, plot.height - 6, "middle", kHourAxis, "title");
    html += "</svg></figure>\n";
}

void AppendDayChart(std::string& html, const std::vector<uint32_t>& delivered, uint32_t booked,
                    int32_t firstDay, uint32_t daysLeft, const std::vector<bool>& noRecord) {
    uint64_t most = booked;
    for (const uint32_t count : delivered) {
        most = std::max<uint64_t>(most, count);
    }
    const ChartPlot plot{1000, 230, 56, 8, 10, 40, ScaleFor(most)};
    const int left = plot.left, plotWidth = plot.PlotWidth(), base = plot.Base();
    const auto height = [&](uint64_t value) { return plot.HeightOf(value); };
    html += "<svg class=\"chart\" viewBox=\"0 0 " + std::to_string(plot.width) + " " +
            std::to_string(plot.height) + "\" role=\"img\" aria-label=\"" +
            PageWording(PageText::kChartLabel) + "\">";
    AppendScale(html, plot);
    const int n = static_cast<int>(delivered.size() + daysLeft);
    for (int i = 0; i < n; ++i) {
        const int x0 = left + i * plotWidth / n;
        const int x1 = left + (i + 1) * plotWidth / n;
        const int gap = (x1 - x0) / 6 + (x1 - x0 > 2 ? 1 : 0);
        const CivilDate date = DateOfDay(firstDay + i);
        const std::string label = std::to_string(date.day) + "." + std::to_string(date.month) + ".";
        const int slotX = x0 + gap, slotWidth = std::max(1, x1 - x0 - 2 * gap);
        const bool unrecorded = static_cast<size_t>(i) < noRecord.size() && noRecord[i];
        if (i >= static_cast<int>(delivered.size())) {
            AppendSlot(html, "pending", slotX, base, slotWidth, std::max(1, height(booked)),
                       PageWording(PageText::kPendingDay, {label}));
        } else if (unrecorded) {
            AppendSlot(html, "norecord", slotX, base, slotWidth, std::max(1, height(booked)),
                       PageWording(PageText::kNoRecordDay, {label}));
        } else if (delivered[i] > 0) {
            const int h = height(delivered[i]);
            html += std::string("<rect class=\"bar") + (delivered[i] < booked ? " short" : "") +
                    "\" x=\"" + std::to_string(slotX) + "\" y=\"" + std::to_string(base - h) +
                    "\" width=\"" + std::to_string(slotWidth) + "\" height=\"" + std::to_string(h) +
                    "\"><title>" +
                    PageWording(PageText::kDeliveredDay,
                                {label, std::to_string(delivered[i]), std::to_string(booked)}) +
                    "</title></rect>";
        }
        if (i == 0 || n <= 16 || date.day == 1 || (date.day % 5 == 0 && date.day < 30)) {
            AppendText(html, (x0 + x1) / 2, base + 14, "middle", label);
        }
    }
    const int level = base - height(booked);
    AppendLine(html, left, level, plot.width - plot.right, level, "level");
    AppendText(html, left + plotWidth / 2, plot.height - 6, "middle",
               AxisTitle(daysLeft > 0,
                         std::find(noRecord.begin(), noRecord.end(), true) != noRecord.end()),
               "title");
    html += "</svg>";
}

size_t DayChartLeastBytes(const std::vector<uint32_t>& delivered, uint32_t daysLeft) {
    // Each bar and each empty slot is a rect with its four numbers and a title of its day.
    constexpr size_t kLeastPerDrawnDay = 64;
    size_t drawn = daysLeft;
    for (const uint32_t count : delivered) {
        drawn += count > 0 ? 1 : 0;
    }
    return drawn * kLeastPerDrawnDay;
}
