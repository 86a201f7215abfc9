#pragma once
// The charts of a booking line on a panel (UTF-8 SVG): the delivered plays per day as bars against
// the booked level, a dashed line; the days still to come as empty slots up to it, and the days
// that no log records as grey slots of their own; and the plays by the hour of the day.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// noRecord[i] for the day of delivered[i] that no log records; empty when every day has one.
void AppendDayChart(std::string& html, const std::vector<uint32_t>& delivered, uint32_t booked,
                    int32_t firstDay, uint32_t daysLeft, const std::vector<bool>& noRecord = {});

// A booking line's plays on a panel by the hour of the day they started in, as a figure with its
// caption; panel is the panel's name as page text.
void AppendHourChart(std::string& html, const std::string& panel,
                     const std::array<uint32_t, 24>& playsPerHour);

// No chart of these days is shorter: a bound that tells that a page would be too large without
// drawing its charts.
size_t DayChartLeastBytes(const std::vector<uint32_t>& delivered, uint32_t daysLeft);
