#include "logdata/totals.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/cp1250.h"

int64_t TotalSeconds(int32_t playCount, double length) {
    const double product = static_cast<double>(playCount) * length;
    if (std::isnan(product)) {
        return 0;
    }
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (product >= kTwoTo63) {
        return INT64_MAX;
    }
    if (product < -kTwoTo63) {
        return INT64_MIN;
    }
    return static_cast<int64_t>(product);  // truncates toward zero
}

TotalTime SplitTotalTime(int64_t totalSeconds) {
    const int64_t hours = totalSeconds / 3600;
    const int64_t minutes = totalSeconds / 60 - hours * 60;
    const int64_t seconds = totalSeconds - (totalSeconds / 60) * 60;
    return {hours, minutes, seconds};
}

TotalTime GetTotalTime(const AnimationTotal& total) {
    return SplitTotalTime(TotalSeconds(total.playCount, total.length));
}

namespace {

// The text shows each part as an unsigned number: a non-negative part in full (the hours have no
// upper bound), a negative one (from a negative spot length) as "%u" shows it, modulo 2^32.
uint64_t AsUnsigned(int64_t value) {
    return value >= 0 ? static_cast<uint64_t>(value) : static_cast<uint32_t>(value);
}

}  // namespace

int FormatTotalTime(const TotalTime& time, char* out, size_t capacity) {
    return std::snprintf(out, capacity, "%" PRIu64 " h  %02" PRIu64 " min  %02" PRIu64 " sec",
                         AsUnsigned(time.hours), AsUnsigned(time.minutes),
                         AsUnsigned(time.seconds));
}

bool AppendTotal(PlaybackLog& log, const AnimationTotal& row) {
    if (log.totals == nullptr || log.totalCount >= log.totalCapacity) {
        const int32_t capacity =
            log.totals == nullptr ? kTotalGrowth : log.totalCapacity + kTotalGrowth;
        void* grown =
            std::realloc(log.totals, static_cast<size_t>(capacity) * sizeof(AnimationTotal));
        if (grown == nullptr) {
            return false;
        }
        log.totals = static_cast<AnimationTotal*>(grown);
        log.totalCapacity = capacity;
    }
    log.totals[log.totalCount++] = row;
    return true;
}

void GetTotalText(void* context, ListViewItem* item) {
    if ((item->mask & kListItemText) == 0 || item->pszText == nullptr || item->cchTextMax <= 0) {
        return;
    }
    const auto* log = static_cast<const PlaybackLog*>(context);
    // A row the totals do not have (a list not yet told of a new count) shows nothing.
    if (item->iItem < 0 || item->iItem >= log->totalCount) {
        item->pszText[0] = '\0';
        return;
    }
    const AnimationTotal& total = log->totals[item->iItem];
    const size_t capacity = static_cast<size_t>(item->cchTextMax);
    switch (item->iSubItem) {
        case 0:
            std::snprintf(item->pszText, capacity, "%s", total.name);
            break;
        case 1: {
            // "%.2f" as the C library would write it, but the same on every one: some drop the
            // sign of a negative NaN.
            char text[400];
            const auto written =
                std::to_chars(text, text + sizeof text, total.length, std::chars_format::fixed, 2);
            const size_t size =
                written.ec == std::errc() ? static_cast<size_t>(written.ptr - text) : 0;
            std::snprintf(item->pszText, capacity, "%.*s", static_cast<int>(size), text);
            break;
        }
        case 2:
            std::snprintf(item->pszText, capacity, "%u", static_cast<unsigned>(total.playCount));
            break;
        case 3:
            FormatTotalTime(GetTotalTime(total), item->pszText, capacity);
            break;
        default:
            break;
    }
}

std::string TotalCellText(const PlaybackLog& log, int32_t row, int32_t column) {
    // Room for the longest cell: a spot length near the double's limit has some 310 characters.
    char cell[1024];
    cell[0] = '\0';
    ListViewItem item{};
    item.mask = kListItemText;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = cell;
    item.cchTextMax = sizeof cell;
    GetTotalText(const_cast<PlaybackLog*>(&log), &item);
    return cell;
}

namespace {

constexpr Cp1250Literal kAnimationTitle{"Animace"};
constexpr Cp1250Literal kListLengthTitle{"Délka spotu [s]"};
constexpr Cp1250Literal kReportLengthTitle{"Délka [s]"};
constexpr Cp1250Literal kPlaysTitle{"Počet přehrání"};
constexpr Cp1250Literal kTotalTimeTitle{"Čas celkem"};
constexpr ColumnTitle kColumnTitles[kTotalColumns] = {
    {kAnimationTitle, kAnimationTitle},
    {kListLengthTitle, kReportLengthTitle},
    {kPlaysTitle, kPlaysTitle},
    {kTotalTimeTitle, kTotalTimeTitle},
};

}  // namespace

const ColumnTitle& TotalColumnTitle(int column) {
    return kColumnTitles[column];
}

PlayRange PlaysOf(const PlaybackLog& log, const AnimationTotal& total) {
    const int32_t first = total.firstIndex < 0 ? 0 : total.firstIndex;
    const int64_t last = static_cast<int64_t>(first) + (total.playCount < 0 ? 0 : total.playCount);
    const auto end = static_cast<int32_t>(last < log.recordCount ? last : log.recordCount);
    return {first < end ? first : end, end};
}
