#include "logdata/log_parser.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/paths.h"
#include "logdata/byte_search.h"
#include "logdata/scanners.h"
#include "logdata/time_window.h"

namespace {

uint64_t HashName(std::string_view name) {
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ name.size();
    size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, name.data() + i, name.size() - i);
    hash = (hash ^ tail) * 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 29);
}

// Up to four digits: never more than "%hu" can hold, so no wrap-around to mimic.
bool ReadSmallNumber(const char*& p, const char* end, uint16_t& value) {
    const char* start = p;
    unsigned number = 0;
    while (p < end && IsDecimalDigit(*p)) {
        if (p - start == 4) {
            return false;
        }
        number = number * 10 + static_cast<unsigned>(*p - '0');
        ++p;
    }
    value = static_cast<uint16_t>(number);
    return p != start;
}

bool Expect(const char*& p, const char* end, char c) {
    if (p < end && *p == c) {
        ++p;
        return true;
    }
    return false;
}

// A byte that neither the scan's white-space skipping nor its end of string would treat
// specially, and whose class does not depend on the C library's locale tables.
bool IsPlainFirstByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F;
}

// Up to the next TAB or NUL (where the scan would stop), or the end.
const char* FieldEnd(const char* p, const char* end) {
    return FindEitherByte(p, end, '\t', '\0');
}

const char* SkipTabs(const char* p, int count) {
    for (int i = 0; i < count; ++i) {
        const char* tab = std::strchr(p, '\t');
        if (tab == nullptr) {
            return p + std::strlen(p);
        }
        p = tab + 1;
    }
    return p;
}

}  // namespace

uint32_t NameTable::Intern(std::string_view name) {
    if (slots_.empty()) {
        slots_.assign(1024, 0);
    }
    const uint64_t hash = HashName(name);
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    while (slots_[slot] != 0) {
        const uint32_t id = slots_[slot] - 1;
        if (hashes_[id] == hash && Name(id) == name) {
            return id;
        }
        slot = (slot + 1) & mask;
    }
    const auto id = static_cast<uint32_t>(offsets_.size());
    offsets_.push_back(arena_.size());
    lengths_.push_back(static_cast<uint8_t>(name.size()));
    hashes_.push_back(hash);
    arena_.insert(arena_.end(), name.begin(), name.end());
    slots_[slot] = id + 1;
    if (offsets_.size() * 2 > slots_.size()) {
        Grow();
    }
    return id;
}

void NameTable::Grow() {
    slots_.assign(slots_.size() * 2, 0);
    const size_t mask = slots_.size() - 1;
    for (uint32_t id = 0; id < offsets_.size(); ++id) {
        size_t slot = hashes_[id] & mask;
        while (slots_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = id + 1;
    }
}

namespace {

// "%hu.%hu.%hu\t%hu:%hu:%hu\t%255[^\t]s" into day, month, year, hour, minute, second and
// name; a mismatch ends it, keeping what was stored before.
void ScanFirstFields(const char* p, PlaybackRecord& record) {
    SystemTime& time = record.time;
    if (ScanUnsignedShort(p, time.wDay) && ScanLiteral(p, '.') &&
        ScanUnsignedShort(p, time.wMonth) && ScanLiteral(p, '.') &&
        ScanUnsignedShort(p, time.wYear) && ScanUnsignedShort(p, time.wHour) &&
        ScanLiteral(p, ':') && ScanUnsignedShort(p, time.wMinute) && ScanLiteral(p, ':') &&
        ScanUnsignedShort(p, time.wSecond)) {
        SkipScanSpace(p);
        ScanNotTab(p, record.name, kNameSize - 1);
    }
}

}  // namespace

PlaybackRecord ScanLogLine(const char* line) {
    PlaybackRecord record{};
    ScanFirstFields(line, record);
    const char* fourth = SkipTabs(line, 3);
    const char* p = fourth;
    ScanNotTab(p, record.name, kNameSize - 1);
    p = SkipTabs(fourth, 1);
    ScanDouble(p, record.length);
    return record;
}

namespace {

// dd.mm.yyyy TAB hh:mm:ss TAB third TAB name [TAB length ...], each number of at most four
// digits, the third field starting with a printable ASCII character; anything else (and any
// NUL before the length) goes the exact way.
bool ReadWellFormed(const char* p, const char* end, LogLine& play) {
    if (!(ReadSmallNumber(p, end, play.day) && Expect(p, end, '.') &&
          ReadSmallNumber(p, end, play.month) && Expect(p, end, '.') &&
          ReadSmallNumber(p, end, play.year) && Expect(p, end, '\t') &&
          ReadSmallNumber(p, end, play.hour) && Expect(p, end, ':') &&
          ReadSmallNumber(p, end, play.minute) && Expect(p, end, ':') &&
          ReadSmallNumber(p, end, play.second) && Expect(p, end, '\t'))) {
        return false;
    }
    if (p == end || !IsPlainFirstByte(*p)) {
        return false;
    }
    const char* third = p;
    const char* thirdEnd = FieldEnd(third, end);
    if (thirdEnd == end || *thirdEnd != '\t') {
        return false;
    }
    const char* fourth = thirdEnd + 1;
    const char* fourthEnd = FieldEnd(fourth, end);
    if (fourthEnd != end && *fourthEnd == '\0') {
        return false;
    }
    const bool hasFourth = fourthEnd != fourth;
    const char* name = hasFourth ? fourth : third;
    const size_t nameLength = static_cast<size_t>((hasFourth ? fourthEnd : thirdEnd) - name);
    play.name = {name, std::min<size_t>(nameLength, kNameSize - 1)};
    play.length = 0;
    return fourthEnd == end || ReadPlainDecimal(fourthEnd + 1, end, play.length);
}

}  // namespace

bool ReadLogLine(const char* line, size_t length, LogLine& play, char (&scratch)[kNameSize]) {
    if (ReadWellFormed(line, line + length, play)) {
        return true;
    }
    char text[kMaxLineLength + 2];
    std::memcpy(text, line, length);
    text[length] = '\0';
    const PlaybackRecord record = ScanLogLine(text);
    const SystemTime& time = record.time;
    const size_t nameLength = strnlen(record.name, kNameSize);
    std::memcpy(scratch, record.name, nameLength);
    play = {time.wDay,    time.wMonth,  time.wYear,    time.wHour,
            time.wMinute, time.wSecond, record.length, {scratch, nameLength}};
    return nameLength != 0;
}

bool PassesFilter(const ScanFilter& filter, const LogLine& play) {
    if (filter.day != 0 && filter.day != play.day) {
        return false;
    }
    if (!filter.timeFilterOn) {
        return true;
    }
    return InTimeWindow({play.hour, play.minute}, {filter.fromHour, filter.fromMinute},
                        {filter.toHour, filter.toMinute});
}

size_t PlayCollector::AddLines(const char* bytes, size_t size, bool isEnd) {
    return ForEachLogLine(bytes, size, isEnd,
                          [this](const char* line, size_t length) { AddLine(line, length); });
}

void PlayCollector::Expect(uint64_t bytes) {
    plays.reserve(static_cast<size_t>(std::min<uint64_t>(bytes / 40 + 16, kMaxRecordCount)));
}

void PlayCollector::AddLine(const char* line, size_t length) {
    LogLine play;
    char scratch[kNameSize];
    if (ReadLogLine(line, length, play, scratch) && PassesFilter(filter_, play)) {
        Accept(play);
    }
}

void PlayCollector::Accept(const LogLine& play) {
    uint32_t id = names.Intern(play.name);
    if (filter_.stripPaths != 0) {
        id = StrippedId(id);
    }
    plays.push_back(
        {id, play.day, play.month, play.year, play.hour, play.minute, play.second, play.length});
}

uint32_t PlayCollector::StrippedId(uint32_t id) {
    if (strippedIds_.size() <= id) {
        strippedIds_.resize(names.Size(), -1);
    }
    if (strippedIds_[id] < 0) {
        const std::string stripped = StripPath(names.Name(id));
        strippedIds_[id] = names.Intern(stripped);
    }
    return static_cast<uint32_t>(strippedIds_[id]);
}

std::string StripPath(std::string_view name) {
    return std::string(NameWithoutFolders(name).substr(0, kNameSize - 1));
}
