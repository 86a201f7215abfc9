#include "tests/logdata/reference_log.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>

#include "logdata/log_parser.h"

namespace {

// Drive, directory, file name and extension; only file name and extension are joined again.
std::string SplitPathJoinName(const char* name) {
    const char* rest = name;
    if (name[0] != '\0' && name[1] == ':') {
        rest = name + 2;
    }
    const char* lastSeparator = nullptr;
    for (const char* p = rest; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') {
            lastSeparator = p;
        }
    }
    const char* fileName = lastSeparator ? lastSeparator + 1 : rest;
    const char* dot = std::strrchr(fileName, '.');
    const std::string stem = dot ? std::string(fileName, dot) : std::string(fileName);
    const std::string extension = dot ? std::string(dot) : std::string();
    char joined[260];
    std::snprintf(joined, sizeof joined, "%s%s", stem.c_str(), extension.c_str());
    return joined;
}

[[maybe_unused]] const char* SkipPastTab(const char* p) {
    const char* tab = std::strchr(p, '\t');
    return tab ? tab + 1 : p + std::strlen(p);
}

// The GNU C library's sscanf is the rule the loader's scanners follow; other C libraries read
// numbers out of range their own way, so there the scanners, held to it natively, stand in.
void ScanLine(const char* line, PlaybackRecord& record) {
#ifdef __GLIBC__
    const char* p = SkipPastTab(SkipPastTab(SkipPastTab(line)));
    SystemTime& t = record.time;
    std::sscanf(line, "%hu.%hu.%hu\t%hu:%hu:%hu\t%255[^\t]s", &t.wDay, &t.wMonth, &t.wYear,
                &t.wHour, &t.wMinute, &t.wSecond, record.name);
    std::sscanf(p, "%255[^\t]s", record.name);
    std::sscanf(SkipPastTab(p), "%lf", &record.length);
#else
    record = ScanLogLine(line);
#endif
}

bool Keep(PlaybackRecord& record, const ScanFilter& filter) {
    if (record.name[0] == '\0') {
        return false;
    }
    if (filter.day != 0 && filter.day != record.time.wDay) {
        return false;
    }
    if (filter.stripPaths) {
        const std::string stripped = SplitPathJoinName(record.name);
        std::memset(record.name, 0, sizeof record.name);
        std::strncpy(record.name, stripped.c_str(), 255);
    }
    if (filter.timeFilterOn) {
        const int h = record.time.wHour;
        const int m = record.time.wMinute;
        if (h < filter.fromHour || (h == filter.fromHour && m < filter.fromMinute)) {
            return false;
        }
        if (h > filter.toHour || (h == filter.toHour && m >= filter.toMinute)) {
            return false;
        }
    }
    return true;
}

}  // namespace

ReferenceLoad ReferenceLoadFile(const char* path, const ScanFilter& filter) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return {};
    }
    ReferenceLoad load = ReferenceLoadStream(file, filter);
    std::fclose(file);
    return load;
}

ReferenceLoad ReferenceLoadStream(std::FILE* file, const ScanFilter& filter) {
    ReferenceLoad load;
    while (!std::feof(file) && !std::ferror(file)) {
        char line[2000];
        std::memset(line, 0, sizeof line);
        std::fgets(line, 1999, file);
        PlaybackRecord record;
        std::memset(&record, 0, sizeof record);
        ScanLine(line, record);
        if (!Keep(record, filter)) {
            continue;
        }
        if (static_cast<int>(load.records.size()) == load.capacity) {
            load.capacity += 5000;
        }
        load.records.push_back(record);
    }
    return load;
}

namespace {

struct Indexed {
    PlaybackRecord record;
    int index;
};

// The moment as the calendar conversion gives it; -1 when it has none.
int64_t Moment(const SystemTime& t, bool& valid) {
    valid = true;
    if (t.wYear < 1900) {
        return 0;
    }
    if (t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 || t.wDay > 31 || t.wHour > 23 ||
        t.wMinute > 59 || t.wSecond > 59) {
        valid = false;
        return -1;
    }
    std::tm fields{};
    fields.tm_year = t.wYear - 1900;
    fields.tm_mon = t.wMonth - 1;
    fields.tm_mday = t.wDay;
    fields.tm_hour = t.wHour;
    fields.tm_min = t.wMinute;
    fields.tm_sec = t.wSecond;
    fields.tm_isdst = -1;
    const int64_t moment = static_cast<int64_t>(std::mktime(&fields));
    valid = moment >= 0 && moment <= 32535215999;
    return moment;
}

int CompareIndexed(const void* left, const void* right) {
    const auto* a = static_cast<const Indexed*>(left);
    const auto* b = static_cast<const Indexed*>(right);
    const int byName = std::strcmp(a->record.name, b->record.name);
    if (byName != 0) {
        return byName;
    }
    bool valid = true;
    const int64_t difference = Moment(a->record.time, valid) - Moment(b->record.time, valid);
    if (difference != 0) {
        return difference < 0 ? -1 : 1;
    }
    return a->index - b->index;
}

}  // namespace

bool ReferenceHasMoment(const SystemTime& time) {
    bool valid = true;
    Moment(time, valid);
    return valid;
}

ReferenceSort ReferenceSortRecords(const std::vector<PlaybackRecord>& records) {
    ReferenceSort sort;
    std::map<std::string, int> plays;
    for (const PlaybackRecord& record : records) {
        ++plays[record.name];
    }
    for (const PlaybackRecord& record : records) {
        bool valid = true;
        Moment(record.time, valid);
        if (plays[record.name] >= 2 && !valid) {
            sort.dateError = true;
            sort.offending = record;
            sort.records = records;
            return sort;
        }
    }
    std::vector<Indexed> indexed;
    for (size_t i = 0; i < records.size(); ++i) {
        indexed.push_back({records[i], static_cast<int>(i)});
    }
    if (!indexed.empty()) {
        std::qsort(indexed.data(), indexed.size(), sizeof(Indexed), CompareIndexed);
    }
    for (const Indexed& entry : indexed) {
        sort.records.push_back(entry.record);
    }
    return sort;
}
