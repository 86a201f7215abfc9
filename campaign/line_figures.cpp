#include "campaign/line_figures.h"

#include <algorithm>

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
    const double wholeBooking = static_cast<double>(line.playsPerDay) *
                                static_cast<double>(line.lastDay - line.firstDay + 1) *
                                static_cast<double>(linePanels);
    if (!line.contacts || wholeBooking <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(*line.contacts) *
           static_cast<double>(TotalOf(line, figures).booked) / wholeBooking;
}
