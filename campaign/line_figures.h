#pragma once
// The figures of one booking line on one panel as the proof states them: booked against
// delivered, the bonus, the days short and left, and the make-good.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"

// Booked and delivered over the counted days of one line on one panel, the plays above the booked
// count of their day (bonus, part of delivered) and the days short.
struct FiguresTotal {
    uint64_t booked, delivered, bonus;
    uint32_t daysShort;
};
FiguresTotal TotalOf(const BookingLine& line, const LineFigures& figures);

// The plays per day that the days left need to reach the booked total: the booked rate plus the
// shortfall spread over them, rounded up; 0 when nothing is short or no day is left.
uint64_t MakeGoodPerDay(const BookingLine& line, const LineFigures& figures);

// The line's booked days after the as-of day.
uint32_t DaysLeft(const BookingLine& line, int32_t asOfDay);

// The line's "Kontakty" owed on one panel up to the as-of day: Kontakty × the panel's booked plays
// to date ÷ the line's booked plays over its whole booking on all its linePanels, so that the
// panels add up to the line. None without Kontakty or without a booked play.
std::optional<double> ContractedContactsToDate(const BookingLine& line, const LineFigures& figures,
                                               size_t linePanels);

// The booked plays of the line over its whole booking on one panel.
uint64_t BookedOverWholeLine(const BookingLine& line);

// The panels the line applies to: its figures, which come in booking order.
size_t PanelsOfLine(const CampaignResult& result, size_t line);

// The calendar days after the as-of day on which one of the lines is still booked: a campaign's
// days left, each day once however many lines and panels it has.
uint32_t CalendarDaysLeft(const std::vector<BookingLine>& lines,
                          const std::vector<size_t>& lineIndices, int32_t asOfDay);
