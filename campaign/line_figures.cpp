#include "campaign/line_figures.h"

#include <cstdint>
#include <algorithm>
#include <utility>

FiguresTotal TotalOf(const BookingLine& line, const LineFigures& figures) {
    FiguresTotal total{0, 0, 0, 0};
    for (const uint32_t delivered : figures.delivered) {
        total.booked += line.playsPerDay;
        total.delivered += delivered;
        total.bonus += delivered > line.playsPerDay ? delivered - line.playsPerDay : 0;
        total.daysShort += delivered < line.playsPerDay ? 1 : 0;
    }
    return total;
}

uint64_t MakeGoodPerDay(const BookingLine& line, const LineFigures& figures) {
    const FiguresTotal total = TotalOf(line, figures);
    if (figures.daysLeft == 0 || total.delivered >= total.booked) {
        return 0;
    }
    const uint64_t shortfall = total.booked - total.delivered;
    return line.playsPerDay + (shortfall + figures.daysLeft - 1) / figures.daysLeft;
}

uint32_t DaysLeft(const BookingLine& line, int32_t asOfDay) {
    return line.lastDay > asOfDay
               ? static_cast<uint32_t>(line.lastDay - std::max(line.firstDay - 1, asOfDay))
               : 0;
}

std::optional<double> ContractedContactsToDate(const BookingLine& line, const LineFigures& figures,
                                               size_t linePanels) {
    const double wholeBooking =
        static_cast<double>(BookedOverWholeLine(line)) * static_cast<double>(linePanels);
    if (!line.contacts || wholeBooking <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(*line.contacts) *
           static_cast<double>(TotalOf(line, figures).booked) / wholeBooking;
}

uint64_t BookedOverWholeLine(const BookingLine& line) {
    return static_cast<uint64_t>(line.playsPerDay) *
           static_cast<uint64_t>(line.lastDay - line.firstDay + 1);
}

size_t PanelsOfLine(const CampaignResult& result, size_t line) {
    struct ByLine {
        bool operator()(const LineFigures& figures, size_t l) const { return figures.line < l; }
        bool operator()(size_t l, const LineFigures& figures) const { return l < figures.line; }
    };
    const auto [first, last] =
        std::equal_range(result.figures.begin(), result.figures.end(), line, ByLine{});
    return static_cast<size_t>(last - first);
}

uint32_t CalendarDaysLeft(const std::vector<BookingLine>& lines,
                          const std::vector<size_t>& lineIndices, int32_t asOfDay) {
    std::vector<std::pair<int32_t, int32_t>> spans;
    for (const size_t l : lineIndices) {
        const int32_t from = std::max(lines[l].firstDay, asOfDay + 1);
        if (from <= lines[l].lastDay) {
            spans.emplace_back(from, lines[l].lastDay);
        }
    }
    std::sort(spans.begin(), spans.end());
    uint32_t days = 0;
    int32_t countedUntil = INT32_MIN;
    for (const auto& [from, to] : spans) {
        const int32_t start = std::max(from, countedUntil + 1);
        if (start <= to) {
            days += static_cast<uint32_t>(to - start + 1);
            countedUntil = to;
        }
    }
    return days;
}
