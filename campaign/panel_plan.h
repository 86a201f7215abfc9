#pragma once
// What each panel has to count: the booking lines that apply to it and have begun by the as-of
// day, the days they book up to it, their windows and the months of logs they need.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"
#include "campaign/coverage.h"
#include "campaign/shared_plays.h"
#include "campaign/spot_index.h"
#include "campaign/spot_pattern.h"

bool AppliesTo(const BookingLine& line, const CampaignPanel& panel);

struct PanelLine {
    size_t line;  // into the booking
    const BookingLine* booking;
    int32_t lastCounted;  // the line's last day, or the as-of day when that is earlier
    size_t cell = 0;      // where its counted days begin among the plan's cells
    size_t Days() const { return static_cast<size_t>(lastCounted - booking->firstDay + 1); }
};

struct PanelPlan {
    size_t panel = 0;
    std::vector<PanelLine> lines;
    int32_t firstDay = 0, lastDay = -1;
    std::vector<uint8_t> booked;              // [day - firstDay]
    SpotIndex index;                          // the lines' patterns, by the lines' order
    std::vector<LineExtent> extents;          // [line]
    const PanelAudience* audience = nullptr;  // null without audience data
    size_t cells = 0;                         // the counted days of all its lines
    size_t Days() const { return static_cast<size_t>(lastDay - firstDay + 1); }
    const PanelLine* Find(size_t line) const;
};

// A plan per panel, in the panels' order.
std::vector<PanelPlan> PlanPanels(const std::vector<BookingLine>& lines,
                                  const std::vector<CampaignPanel>& panels, int32_t asOfDay);

// The booking lines whose panel was not given.
std::vector<size_t> LinesWithoutPanel(const std::vector<BookingLine>& lines,
                                      const std::vector<CampaignPanel>& panels);

struct MonthKey {
    uint32_t year, month;
    bool operator==(const MonthKey&) const = default;
};

// The months that hold a booked day of the plan, in order.
std::vector<MonthKey> MonthsBooked(const PanelPlan& plan);

// The log of a month in a panel's folder.
std::string PanelLogPath(const CampaignPanel& panel, uint32_t year, uint32_t month);

// The booked windows of a day on a panel in the day's own timeline, joined where they touch or
// overlap; a window holds both passes of a repeated hour.
std::vector<Stretch> BookedWindows(const PanelPlan& plan, int32_t day);

// The day a proof is shown as of: a proof made after the booking's last day is its final state,
// as of that day.
int32_t AsOfShown(const std::vector<BookingLine>& lines, int32_t asOfDay);
