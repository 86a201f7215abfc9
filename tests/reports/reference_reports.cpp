#include "tests/reports/reference_reports.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/cp1250.h"
#include "logdata/totals.h"

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
    char text[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Length(double length, char separator) {
    std::string text = Format("%.2lf", length);
    const size_t point = text.find('.');
    if (point != std::string::npos) {
        text[point] = separator;
    }
    return text;
}

std::string TotalTimeText(const AnimationTotal& total) {
    char text[80];
    FormatTotalTime(GetTotalTime(total), text, sizeof text);
    return text;
}

// A spreadsheet would take these for a formula.
std::string CsvName(const char* name) {
    return (std::strchr("=+-@\t\r", name[0]) != nullptr && name[0] != '\0' ? "'" : "") +
           std::string(name);
}

std::string MonthSuffix(ReportMonth month, bool csv) {
    return Format("_%04u-%02u.%s", month.year, month.month, csv ? "csv" : "txt");
}

}  // namespace

void ReferenceSummaryFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator,
                           ReferenceFiles& files) {
    for (const bool csv : {false, true}) {
        const char* separator = csv ? ";" : "\t";
        std::string text = Format(
            "Animace%sD\xE9lka [s]%sPo\xE8"
            "et p\xF8"
            "ehr\xE1n\xED%s\xC8"
            "as celkem\r\n",
            separator, separator, separator);
        for (int32_t i = 0; i < log.totalCount; ++i) {
            const AnimationTotal& total = log.totals[i];
            text += (csv ? CsvName(total.name) : std::string(total.name)) + separator +
                    Length(total.length, csv ? '.' : decimalSeparator) + separator +
                    Format("%u", static_cast<unsigned>(total.playCount)) + separator +
                    TotalTimeText(total) + "\r\n";
        }
        files[Cp1250ToUtf8(
            SummaryReportPath(month, csv ? ReportFileType::kCsv : ReportFileType::kText))] = text;
    }
}

int ReferenceAllDetailFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator,
                            ReferenceFiles& files) {
    int refused = 0;
    for (int32_t t = 0; t < log.totalCount; ++t) {
        const AnimationTotal& total = log.totals[t];
        std::string part(total.name);
        bool windowsName = true;
        for (char& c : part) {
            c = c == ':' || c == '\\' || c == '/' ? '_' : c;
            windowsName = windowsName && static_cast<unsigned char>(c) >= 0x20 &&
                          std::strchr("\"*<>?|", c) == nullptr;
        }
        const std::string path = std::string("report") + kReportPathSeparator + part;
        // Linux file names hold at most 255 bytes, which a name in UTF-8 can exceed.
        const bool tooLong = path.size() + MonthSuffix(month, false).size() > 259 ||
                             Cp1250ToUtf8(part + MonthSuffix(month, false)).size() > 255;
        if (!windowsName || tooLong) {
            ++refused;
            continue;
        }
        for (const bool csv : {false, true}) {
            const char* separator = csv ? ";" : "\t";
            std::string text = Format(
                "Datum%s\xC8"
                "as%sAnimace%sD\xE9lka [s]\r\n",
                separator, separator, separator);
            for (int32_t i = total.firstIndex; i < total.firstIndex + total.playCount; ++i) {
                const PlaybackRecord& play = log.records[i];
                const SystemTime& d = play.time;
                text += csv ? Format("%04u-%02u-%02u;", d.wYear, d.wMonth, d.wDay)
                            : Format("%02u.%02u.%04u\t", d.wDay, d.wMonth, d.wYear);
                text += Format("%02u:%02u:%02u%s", d.wHour, d.wMinute, d.wSecond, separator);
                text += (csv ? CsvName(play.name) : std::string(play.name)) + separator +
                        Length(play.length, csv ? '.' : decimalSeparator) + "\r\n";
            }
            text += Format(
                        "\r\nPo\xE8"
                        "et p\xF8"
                        "ehr\xE1n\xED%s%u\r\n\xC8"
                        "as celkem%s",
                        separator, static_cast<unsigned>(total.playCount), separator) +
                    TotalTimeText(total);
            files[Cp1250ToUtf8(path + MonthSuffix(month, csv))] = text;
        }
    }
    return refused;
}
