#include "logdata/log_months.h"

#include <cstdio>

#include "logdata/scanners.h"

#ifdef _WIN32
#include <io.h>
#else
#include <dirent.h>
#include <fnmatch.h>
#endif

LogMonthList& LogMonths() {
    static LogMonthList list{};
    return list;
}

namespace {

// The file name carries year and month after its four-character prefix "AVI_".
void AddMonth(LogMonthList& list, const char* fileName) {
    if (list.count >= kMaxLogMonths) {
        return;
    }
    LogMonth entry{};
    const char* p = fileName + 4;
    if (ScanUnsigned(p, entry.year) && ScanLiteral(p, '-')) {
        ScanUnsigned(p, entry.month);
    }
    list.entries[list.count++] = entry;
}

}  // namespace

#ifdef _WIN32

void FindLogMonths(LogMonthList& list, const char* folder) {
    list.count = 0;
    const std::string pattern = std::string(folder) + "\\AVI_*.txt";
    _finddata_t found;
    const intptr_t search = _findfirst(pattern.c_str(), &found);
    if (search == -1) {
        return;
    }
    do {
        AddMonth(list, found.name);
    } while (_findnext(search, &found) == 0);
    _findclose(search);
}

#else

void FindLogMonths(LogMonthList& list, const char* folder) {
    list.count = 0;
    DIR* dir = opendir(folder);
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        if (fnmatch("AVI_*.txt", entry->d_name, 0) == 0) {
            AddMonth(list, entry->d_name);
        }
    }
    closedir(dir);
}

#endif

void FindLogMonths() {
    FindLogMonths(LogMonths(), "log");
}

std::string MonthComboText(const LogMonth& month) {
    char text[300];
    std::snprintf(text, sizeof text, "%04u-%02u", month.year, month.month);
    return text;
}

std::string LogFilePath(const LogMonth& month) {
#ifdef _WIN32
    const char* format = "log\\AVI_%04u-%02u.txt";
#else
    const char* format = "log/AVI_%04u-%02u.txt";
#endif
    char path[260];
    std::snprintf(path, sizeof path, format, month.year, month.month);
    return path;
}
