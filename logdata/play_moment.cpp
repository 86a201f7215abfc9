#include "logdata/play_moment.h"

#include <ctime>
#include <unordered_map>

#include "base/gregorian.h"
#include "base/moment.h"

namespace {

bool InRange(uint16_t month, uint16_t day, uint16_t hour, uint16_t minute, uint16_t second) {
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour <= 23 && minute <= 59 &&
           second <= 59;
}

// The wall-clock reading (as seconds on a day-count scale) that a local time names after the
// calendar's own roll-over, independent of any zone.
int64_t WallClock(const std::tm& fields) {
    const int64_t days =
        GregorianDayNumber(int64_t{fields.tm_year} + 1900, fields.tm_mon + 1, fields.tm_mday);
    return days * 86400 + fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
}

bool ShowsWallClock(std::time_t moment, int64_t wallClock) {
    std::tm local{};
    return LocalFields(moment, local) && WallClock(local) == wallClock;
}

std::time_t Convert(std::tm fields, int isDst, int* chosenDst) {
    fields.tm_isdst = isDst;
    const std::time_t moment = std::mktime(&fields);
    *chosenDst = fields.tm_isdst;
    return moment;
}

// The zone's offset from UTC at a moment, in seconds.
bool OffsetAt(std::time_t moment, int64_t& offset) {
    std::tm local{};
    if (!LocalFields(moment, local)) {
        return false;
    }
    offset = WallClock(local) - moment;
    return true;
}

// No offset change within six hours either side: the wall-clock time has one reading only.
bool FarFromOffsetChange(std::time_t moment) {
    constexpr std::time_t kMargin = 6 * 3600;
    int64_t before = 0;
    int64_t at = 0;
    int64_t after = 0;
    return OffsetAt(moment - kMargin, before) && OffsetAt(moment, at) &&
           OffsetAt(moment + kMargin, after) && before == at && at == after;
}

// mktime with the zone deciding daylight saving time; where a wall-clock time is repeated or
// skipped, its choice depends on earlier calls, so pick the reading of the offset before the
// change: the first of two occurrences, the later of two readings of a skipped time.
int64_t LocalMoment(const std::tm& requested) {
    int chosenDst = 0;
    const std::time_t first = Convert(requested, -1, &chosenDst);
    if (first == -1 || FarFromOffsetChange(first)) {
        return first;
    }
    int unused = 0;
    const std::time_t other = Convert(requested, chosenDst > 0 ? 0 : 1, &unused);
    if (other == -1 || other == first) {
        return first;
    }
    const int64_t wallClock = WallClock(requested);
    const bool firstShows = ShowsWallClock(first, wallClock);
    const bool otherShows = ShowsWallClock(other, wallClock);
    if (firstShows && otherShows) {
        return first < other ? first : other;
    }
    if (!firstShows && !otherShows) {
        return first > other ? first : other;
    }
    return firstShows ? first : other;
}

}  // namespace

PlayMoment GetPlayMoment(uint16_t year, uint16_t month, uint16_t day, uint16_t hour,
                         uint16_t minute, uint16_t second) {
    if (year < 1900) {
        return {true, 0};
    }
    if (!InRange(month, day, hour, minute, second)) {
        return {false, 0};
    }
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    const int64_t moment = LocalMoment(fields);
    if (moment < 0 || moment > kLatestMoment) {
        return {false, 0};
    }
    return {true, moment};
}

PlayMoment GetPlayMoment(const SystemTime& time) {
    return GetPlayMoment(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                         time.wSecond);
}

struct MomentCache::Table {
    // A day whose offset is the same at its start, noon and last minute has one offset
    // throughout; its moments are then wall clock minus offset.
    struct Day {
        bool uniform;
        int64_t wallClockStart;
        int64_t offset;
    };
    std::unordered_map<uint32_t, Day> days;
    std::unordered_map<uint64_t, PlayMoment> minutes;  // minutes of days with an offset change
};

MomentCache::MomentCache() : table_(new Table) {}
MomentCache::~MomentCache() {
    delete table_;
}

namespace {

int64_t WallClockOf(uint16_t year, uint16_t month, uint16_t day) {
    return GregorianDayNumber(year, month, day) * 86400;
}

bool OffsetOfMinute(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                    int64_t& offset) {
    const PlayMoment moment = GetPlayMoment(year, month, day, hour, minute, 0);
    offset = WallClockOf(year, month, day) + hour * 3600 + minute * 60 - moment.seconds;
    return moment.valid;
}

}  // namespace

PlayMoment MomentCache::Get(uint16_t year, uint16_t month, uint16_t day, uint16_t hour,
                            uint16_t minute, uint16_t second) {
    if (year < 1900 || !InRange(month, day, hour, minute, second)) {
        return GetPlayMoment(year, month, day, hour, minute, second);
    }
    const uint32_t dayKey = (uint32_t{year} * 16 + month) * 32 + day;
    if (dayKey != lastDayKey_) {
        auto found = table_->days.find(dayKey);
        if (found == table_->days.end()) {
            Table::Day entry{false, WallClockOf(year, month, day), 0};
            int64_t atNoon = 0;
            int64_t atEnd = 0;
            entry.uniform = OffsetOfMinute(year, month, day, 0, 0, entry.offset) &&
                            OffsetOfMinute(year, month, day, 12, 0, atNoon) &&
                            OffsetOfMinute(year, month, day, 23, 59, atEnd) &&
                            entry.offset == atNoon && atNoon == atEnd;
            found = table_->days.emplace(dayKey, entry).first;
        }
        lastDayKey_ = dayKey;
        lastDay_ = &found->second;
    }
    const auto* day_ = static_cast<const Table::Day*>(lastDay_);
    if (day_->uniform) {
        const int64_t moment =
            day_->wallClockStart + hour * 3600 + minute * 60 + second - day_->offset;
        if (moment < 0 || moment > kLatestMoment) {
            return {false, 0};
        }
        return {true, moment};
    }
    // Within a minute the offset never changes, so the second adds on.
    const uint64_t key = (uint64_t{dayKey} * 24 + hour) * 60 + minute;
    auto found = table_->minutes.find(key);
    if (found == table_->minutes.end()) {
        found =
            table_->minutes.emplace(key, GetPlayMoment(year, month, day, hour, minute, 0)).first;
    }
    if (!found->second.valid) {
        // The minute's start may lie just outside the range while a later second does not.
        return GetPlayMoment(year, month, day, hour, minute, second);
    }
    const int64_t moment = found->second.seconds + second;
    if (moment > kLatestMoment) {
        return {false, 0};
    }
    return {true, moment};
}
