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
    constexpr int kWidth = 480, kHeight = 230, kLeft = 48, kRight = 6, kTop = 10, kBottom = 40;
    const uint64_t most = *std::max_element(playsPerHour.begin(), playsPerHour.end());
    const ChartScale scale = ScaleFor(most);
    const int plotWidth = kWidth - kLeft - kRight;
    const int plotHeight = kHeight - kTop - kBottom;
    const int base = kTop + plotHeight;
    const auto height = [&](uint64_t value) {
        return static_cast<int>(value * static_cast<uint64_t>(plotHeight) / scale.top);
    };
    html += "<figure><figcaption>Panel " + panel + kHourCaption +
            "</figcaption><svg class=\"chart hours\" viewBox=\"0 0 " + std::to_string(kWidth) +
            " " + std::to_string(kHeight) + "\" role=\"img\" aria-label=\"" + kHourLabel + "\">";
    for (uint64_t t = 0; t <= scale.ticks; ++t) {
        const int y = base - height(t * scale.step);
        AppendLine(html, kLeft, y, kWidth - kRight, y, t == 0 ? "axis" : "grid");
        AppendText(html, kLeft - 5, y + 4, "end", std::to_string(t * scale.step));
    }
    for (int hour = 0; hour < 24; ++hour) {
        const int x0 = kLeft + hour * plotWidth / 24;
        const int x1 = kLeft + (hour + 1) * plotWidth / 24;
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
    AppendText(html, kLeft + plotWidth / 2, kHeight - 6, "middle", kHourAxis, "title");
    html += "</svg></figure>\n";
}

void AppendDayChart(std::string& html, const std::vector<uint32_t>& delivered, uint32_t booked,
                    int32_t firstDay, uint32_t daysLeft, const std::vector<bool>& noRecord) {
    constexpr int kWidth = 1000, kHeight = 230, kLeft = 56, kRight = 8, kTop = 10, kBottom = 40;
    uint64_t most = booked;
    for (const uint32_t count : delivered) {
        most = std::max<uint64_t>(most, count);
    }
    const ChartScale scale = ScaleFor(most);
    const int plotWidth = kWidth - kLeft - kRight;
    const int plotHeight = kHeight - kTop - kBottom;
    const int base = kTop + plotHeight;
    const auto height = [&](uint64_t value) {
        return static_cast<int>(value * static_cast<uint64_t>(plotHeight) / scale.top);
    };
    html += "<svg class=\"chart\" viewBox=\"0 0 " + std::to_string(kWidth) + " " +
            std::to_string(kHeight) + "\" role=\"img\" aria-label=\"" +
            PageWording(PageText::kChartLabel) + "\">";
    for (uint64_t t = 0; t <= scale.ticks; ++t) {
        const int y = base - height(t * scale.step);
        AppendLine(html, kLeft, y, kWidth - kRight, y, t == 0 ? "axis" : "grid");
        AppendText(html, kLeft - 5, y + 4, "end", std::to_string(t * scale.step));
    }
    const int n = static_cast<int>(delivered.size() + daysLeft);
    for (int i = 0; i < n; ++i) {
        const int x0 = kLeft + i * plotWidth / n;
        const int x1 = kLeft + (i + 1) * plotWidth / n;
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
    AppendLine(html, kLeft, level, kWidth - kRight, level, "level");
    AppendText(html, kLeft + plotWidth / 2, kHeight - 6, "middle",
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
