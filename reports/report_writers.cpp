#include "reports/report_writers.h"

#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/cp1250.h"
#include "logdata/totals.h"
#include "reports/csv_field.h"
#include "reports/report_file.h"
#include "reports/report_messages.h"

namespace {

// The fixed texts, Windows-1250.
constexpr Cp1250Literal kDateTitle{"Datum"};
constexpr Cp1250Literal kTimeTitle{"Čas"};
constexpr std::string_view kLineEnd = "\r\n";

// How one of the two files of a pair writes its fields.
struct FileStyle {
    bool csv;
    char fieldSeparator;
    char decimalSeparator;
};

FileStyle TextStyle(char decimalSeparator) {
    return {false, '\t', decimalSeparator};
}
FileStyle CsvStyle() {
    return {true, ';', '.'};
}

std::string_view Title(int column) {
    return TotalColumnTitle(column).report;
}

void WriteHeader(ReportFileWriter& out, std::initializer_list<std::string_view> titles,
                 const FileStyle& style) {
    bool first = true;
    for (const std::string_view title : titles) {
        if (!first) {
            out.Put(style.fieldSeparator);
        }
        out.Write(title);
        first = false;
    }
    out.Write(kLineEnd);
}

// "%0*u": at least `width` digits.
void WriteUnsigned(ReportFileWriter& out, uint64_t value, int width) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count < width) {
        digits[count++] = '0';
    }
    while (count > 0) {
        out.Put(digits[--count]);
    }
}

// "%.2lf" with the file's decimal separator in place of ".". The plays of one animation mostly
// share one length, so the last text is kept.
class LengthText {
public:
    explicit LengthText(char decimalSeparator) : separator_(decimalSeparator) {}

    std::string_view Of(double length) {
        const uint64_t bits = std::bit_cast<uint64_t>(length);
        if (size_ == 0 || bits != lastBits_) {
            Format(length);
            lastBits_ = bits;
        }
        return {text_, size_};
    }

private:
    void Format(double length) {
        // Exactly what "%.2lf" writes, several times faster. DBL_MAX takes 309 digits.
        const auto [end, error] =
            std::to_chars(text_, text_ + sizeof text_, length, std::chars_format::fixed, 2);
        size_ = error == std::errc() ? static_cast<size_t>(end - text_) : 0;
        if (char* point = static_cast<char*>(std::memchr(text_, '.', size_))) {
            *point = separator_;
        }
    }

    char separator_;
    uint64_t lastBits_ = 0;
    size_t size_ = 0;
    char text_[400];
};

void WriteName(ReportFileWriter& out, const char* name, const FileStyle& style) {
    const std::string_view text(name, strnlen(name, kNameSize));
    if (style.csv && StartsLikeFormula(text)) {
        out.Put('\'');
    }
    out.Write(text);
}

void WriteTotalTime(ReportFileWriter& out, const AnimationTotal& total) {
    char text[80];
    const int size = FormatTotalTime(GetTotalTime(total), text, sizeof text);
    out.Write(text, size > 0 ? static_cast<size_t>(size) : 0);
}

void WriteSummaryBody(ReportFileWriter& out, const PlaybackLog& log, const FileStyle& style) {
    WriteHeader(out, {Title(0), Title(1), Title(2), Title(3)}, style);
    LengthText length(style.decimalSeparator);
    for (int32_t i = 0; i < log.totalCount; ++i) {
        const AnimationTotal& total = log.totals[i];
        WriteName(out, total.name, style);
        out.Put(style.fieldSeparator);
        out.Write(length.Of(total.length));
        out.Put(style.fieldSeparator);
        WriteUnsigned(out, static_cast<uint32_t>(total.playCount), 0);
        out.Put(style.fieldSeparator);
        WriteTotalTime(out, total);
        out.Write(kLineEnd);
    }
}

// "%02u.%02u.%04u" in the text file, "%04u-%02u-%02u" in the CSV file.
void WriteDate(ReportFileWriter& out, const SystemTime& time, const FileStyle& style) {
    if (style.csv) {
        WriteUnsigned(out, time.wYear, 4);
        out.Put('-');
        WriteUnsigned(out, time.wMonth, 2);
        out.Put('-');
        WriteUnsigned(out, time.wDay, 2);
    } else {
        WriteUnsigned(out, time.wDay, 2);
        out.Put('.');
        WriteUnsigned(out, time.wMonth, 2);
        out.Put('.');
        WriteUnsigned(out, time.wYear, 4);
    }
}

void WriteClock(ReportFileWriter& out, const SystemTime& time) {
    WriteUnsigned(out, time.wHour, 2);
    out.Put(':');
    WriteUnsigned(out, time.wMinute, 2);
    out.Put(':');
    WriteUnsigned(out, time.wSecond, 2);
}

void WritePlayLine(ReportFileWriter& out, const PlaybackRecord& play, const FileStyle& style,
                   LengthText& length) {
    WriteDate(out, play.time, style);
    out.Put(style.fieldSeparator);
    WriteClock(out, play.time);
    out.Put(style.fieldSeparator);
    WriteName(out, play.name, style);
    out.Put(style.fieldSeparator);
    out.Write(length.Of(play.length));
    out.Write(kLineEnd);
}

void WriteDetailBody(ReportFileWriter& out, const PlaybackLog& log, const AnimationTotal& total,
                     const FileStyle& style) {
    WriteHeader(out, {kDateTitle, kTimeTitle, Title(0), Title(1)}, style);
    LengthText length(style.decimalSeparator);
    const PlayRange plays = PlaysOf(log, total);
    for (int32_t i = plays.first; i < plays.end; ++i) {
        WritePlayLine(out, log.records[i], style, length);
    }
    out.Write(kLineEnd);
    out.Write(Title(2));
    out.Put(style.fieldSeparator);
    WriteUnsigned(out, static_cast<uint32_t>(total.playCount), 0);
    out.Write(kLineEnd);
    out.Write(Title(3));
    out.Put(style.fieldSeparator);
    WriteTotalTime(out, total);
}

template <class Body>
bool WriteFile(const std::string& path, const FileStyle& style, const Body& body,
               ReportResult& result) {
    ReportFileWriter out;
    if (out.Open(path)) {
        body(out, style);
        if (out.Close()) {
            return true;
        }
    }
    result.failures.push_back({path, out.FailureReason()});
    return false;
}

// The text file first; only when it is complete the CSV file.
template <class Body>
void WritePair(const std::string& textPath, const std::string& csvPath, char decimalSeparator,
               const Body& body, ReportResult& result) {
    if (textPath.size() > kMaxReportPathLength || csvPath.size() > kMaxReportPathLength) {
        result.failures.push_back({textPath, PathTooLongReason()});
        return;
    }
    if (WriteFile(textPath, TextStyle(decimalSeparator), body, result) &&
        WriteFile(csvPath, CsvStyle(), body, result)) {
        result.csvPath = csvPath;
    }
}

void WriteDetailPair(const PlaybackLog& log, const AnimationTotal& total, ReportMonth month,
                     char decimalSeparator, ReportResult& result) {
    const std::string refused = RefusedFileNamePartReason(DetailFileNamePart(total.name));
    if (!refused.empty()) {
        result.failures.push_back(
            {DetailReportPath(total.name, month, ReportFileType::kText), refused});
        return;
    }
    WritePair(
        DetailReportPath(total.name, month, ReportFileType::kText),
        DetailReportPath(total.name, month, ReportFileType::kCsv), decimalSeparator,
        [&](ReportFileWriter& out, const FileStyle& style) {
            WriteDetailBody(out, log, total, style);
        },
        result);
}

}  // namespace

ReportResult WriteSummaryFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator) {
    ReportResult result;
    WritePair(
        SummaryReportPath(month, ReportFileType::kText),
        SummaryReportPath(month, ReportFileType::kCsv), decimalSeparator,
        [&](ReportFileWriter& out, const FileStyle& style) { WriteSummaryBody(out, log, style); },
        result);
    return result;
}

ReportResult WriteDetailFiles(const PlaybackLog& log, int32_t index, ReportMonth month,
                              char decimalSeparator) {
    ReportResult result;
    if (index < 0 || index >= log.totalCount) {
        result.failures.push_back({std::string(), NoSuchRowReason(index)});
        return result;
    }
    WriteDetailPair(log, log.totals[index], month, decimalSeparator, result);
    return result;
}

ReportResult WriteAllDetailFiles(const PlaybackLog& log, ReportMonth month, char decimalSeparator) {
    ReportResult result;
    for (int32_t i = 0; i < log.totalCount; ++i) {
        WriteDetailPair(log, log.totals[i], month, decimalSeparator, result);
    }
    return result;
}
