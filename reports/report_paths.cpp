#include "reports/report_paths.h"

#include <cstdio>
#include <cstring>

#include "base/cp1250.h"
#include "logdata/playback_log.h"

namespace {

const char* Extension(ReportFileType type) {
    switch (type) {
        case ReportFileType::kText:
            return "txt";
        case ReportFileType::kCsv:
            return "csv";
        case ReportFileType::kHtml:
            return "html";
        case ReportFileType::kSha256:
            return "sha256";
    }
    return "";
}

// "_%04u-%02u.txt" without the leading part.
std::string MonthSuffix(ReportMonth month, ReportFileType type) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "_%04u-%02u.%s", static_cast<unsigned>(month.year),
                  static_cast<unsigned>(month.month), Extension(type));
    return suffix;
}

std::string InReportFolder(const std::string& fileName) {
    std::string path = "report";
    path += kReportPathSeparator;
    path += fileName;
    return path;
}

}  // namespace

std::string SummaryReportPath(ReportMonth month, ReportFileType type) {
    return InReportFolder("SUM_AVI" + MonthSuffix(month, type));
}

std::string DetailFileNamePart(const char* name) {
    std::string part(name, strnlen(name, kNameSize - 1));
    for (char& c : part) {
        if (c == ':' || c == '\\' || c == '/') {
            c = '_';
        }
    }
    return part;
}

std::string RefusedFileNamePartReason(const std::string& part) {
    for (const char c : part) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\"*<>?|", c) != nullptr) {
            return Utf16ToCp1250(
                u"n\u00e1zev obsahuje znak, kter\u00fd Windows v n\u00e1zvu souboru "
                u"nep\u0159ipou\u0161t\u00ed");
        }
    }
    return std::string();
}

std::string DetailReportPath(const char* name, ReportMonth month, ReportFileType type) {
    return InReportFolder(DetailFileNamePart(name) + MonthSuffix(month, type));
}

std::string CampaignReportPath(const std::string& bookingName, ReportFileType type) {
    return InReportFolder("KAMPAN_" + bookingName + "." + Extension(type));
}
