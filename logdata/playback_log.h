#pragma once
// The in-memory month: accepted plays, per-animation totals and the filter of the last load.
#include <cstddef>
#include <cstdint>

#include "base/win32_types.h"

constexpr int kNameSize = 256;  // a name holds at most 255 characters and its NUL
constexpr int32_t kRecordGrowth = 5000;
constexpr int32_t kTotalGrowth = 100;
// The most records an array of 5000-record steps can count.
constexpr size_t kMaxRecordCount = INT32_MAX / kRecordGrowth * kRecordGrowth;

// One accepted log line (280 bytes). Fields a line does not supply are 0.
struct PlaybackRecord {
    char name[kNameSize];
    SystemTime time;  // local time as written in the log; wDayOfWeek and wMilliseconds stay 0
    double length;    // spot length in seconds
};

// One summary row: an animation, the length of its first play, its play count and where its
// plays start in the sorted record array.
struct AnimationTotal {
    char name[kNameSize];
    double length;
    int32_t playCount;
    int32_t firstIndex;
};

// What a load keeps. The defaults are the window's: every day, no time window (0:00 to 24:00),
// paths kept.
struct ScanFilter {
    int32_t day = 0;  // 0 = every day, 1..31 = only that day of the month
    bool timeFilterOn = false;
    int32_t fromHour = 0;
    int32_t fromMinute = 0;
    int32_t toHour = 24;
    int32_t toMinute = 0;
    int32_t stripPaths = 0;  // 0 or 1
};

// The process-wide month. Both arrays are raw heap blocks that grow in fixed steps, are reused
// by every load, never shrink and are released by the destructor.
struct PlaybackLog {
    PlaybackRecord* records = nullptr;
    int32_t recordCount = 0;
    int32_t recordCapacity = 0;
    AnimationTotal* totals = nullptr;
    int32_t totalCount = 0;
    int32_t totalCapacity = 0;
    ScanFilter filter;

    PlaybackLog() = default;
    PlaybackLog(const PlaybackLog&) = delete;
    PlaybackLog& operator=(const PlaybackLog&) = delete;
    ~PlaybackLog();
};

// The process-wide month, shared by the window, its list and the reports.
PlaybackLog& ThePlaybackLog();

// Empties the records and the totals; both arrays keep their capacity.
void ResetLog(PlaybackLog& log);

// Room for the records of a load.
struct RecordRoom {
    size_t fit;   // how many records fit: fewer than asked only when memory ran out
    bool zeroed;  // a fresh, zero-filled array: the zero bytes need no writing
};

// Grows the record array in one step to the capacity that 5000-record steps reach for count
// records (it never shrinks). A load drops the records that find no room.
[[nodiscard]] RecordRoom ReserveRecords(PlaybackLog& log, size_t count);
