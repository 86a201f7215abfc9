#pragma once
// Per-animation totals: their array, the total-time rule, the column titles and the list's cell
// texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logdata/playback_log.h"

// play count × spot length in double precision, truncated toward zero to whole seconds.
// Saturates to the int64 range; NaN gives 0.
int64_t TotalSeconds(int32_t playCount, double length);

// The total time split as the text shows it: hours unbounded, minutes and seconds below 60
// (for a non-negative total).
struct TotalTime {
    int64_t hours;
    int64_t minutes;
    int64_t seconds;
};
TotalTime SplitTotalTime(int64_t totalSeconds);
TotalTime GetTotalTime(const AnimationTotal& total);

// "%u h  %02u min  %02u sec" into out (capacity bytes, always NUL-terminated when capacity > 0).
// Returns the length the full text has.
int FormatTotalTime(const TotalTime& time, char* out, size_t capacity);

// Appends one row, creating the array with room for 100 rows and growing it by 100.
// Returns false when the array could not grow (the row is dropped).
[[nodiscard]] bool AppendTotal(PlaybackLog& log, const AnimationTotal& row);

// The list's text callback: context is the PlaybackLog; writes the cell text of
// (item->iItem, item->iSubItem) into item->pszText when the request asks for text.
void GetTotalText(void* context, ListViewItem* item);

// The titles of the four columns, Windows-1250: the list's wording and the reports' (the text
// and CSV files and the page), side by side.
struct ColumnTitle {
    std::string_view list;
    std::string_view report;
};
constexpr int kTotalColumns = 4;
const ColumnTitle& TotalColumnTitle(int column);

// The plays of a total that the record array really holds: [first, end).
struct PlayRange {
    int32_t first, end;
};
PlayRange PlaysOf(const PlaybackLog& log, const AnimationTotal& total);

// The text that GetTotalText gives the list for one cell, in full.
std::string TotalCellText(const PlaybackLog& log, int32_t row, int32_t column);
