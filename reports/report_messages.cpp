#include "reports/report_messages.h"

#include <algorithm>
#include <cstdio>

#include "reports/report_paths.h"

std::string SummarySavedMessage(const std::string& csvPath) {
    static constexpr Cp1250Literal kText{"Sumární přehled byl uložen do souboru:\n\n"};
    return kText.str() + csvPath;
}

std::string DetailSavedMessage(const std::string& csvPath) {
    static constexpr Cp1250Literal kText{"Detailní přehled byl uložen do souboru\n\n"};
    return kText.str() + csvPath;
}

std::string AllDetailsSavedMessage() {
    static constexpr Cp1250Literal kText{"Detailní přehledy byly uloženy do adresáře report"};
    return kText.str();
}

std::string FailureListHeading() {
    static constexpr Cp1250Literal kText{"Následující soubory přehledu se nepodařilo uložit:"};
    return kText.str();
}

std::string FailureLine(const ReportFailure& failure) {
    return failure.path.empty() ? failure.reason : failure.path + ": " + failure.reason;
}

std::string ReportFailureMessage(const ReportResult& result) {
    std::string message = FailureListHeading() + "\n";
    for (const ReportFailure& failure : result.failures) {
        message += "\n" + FailureLine(failure);
    }
    return result.note.empty() ? message : message + "\n\n" + result.note;
}

namespace {

// A path longer than this wraps in a narrow box, which then grows past a small screen; the box
// keeps its end, where the animation's name is, and the file of the whole list keeps it whole.
constexpr size_t kBoxPathMax = 44;
// Lines of files and of their reasons: with the heading and the end the box has 20 lines, which
// at 150 % fit a 768-pixel screen with the caption and the button.
constexpr size_t kBoxBodyLines = 16;

std::string ShortenedForBox(const std::string& path) {
    if (path.size() <= kBoxPathMax)
        return path;
    return "..." + path.substr(path.size() - (kBoxPathMax - 3));
}

bool StartsNewReason(const ReportResult& result, size_t i) {
    return i == 0 || result.failures[i].reason != result.failures[i - 1].reason;
}

}  // namespace

size_t FailuresNamedInBox(const ReportResult& result) {
    size_t lines = 0;
    for (size_t i = 0; i < result.failures.size() && i < kMaxFailuresInBox; ++i) {
        lines += (StartsNewReason(result, i) ? 1 : 0) + (result.failures[i].path.empty() ? 0 : 1);
        if (lines > kBoxBodyLines)
            return i;
    }
    return std::min(result.failures.size(), kMaxFailuresInBox);
}

// The files under their reason: a reason once for a run of files that failed alike.
std::string ReportFailureBoxMessage(const ReportResult& result, const std::string& listPath,
                                    const std::string& listReason) {
    std::string message = FailureListHeading();
    const size_t named = FailuresNamedInBox(result);
    for (size_t i = 0; i < named; ++i) {
        const ReportFailure& failure = result.failures[i];
        if (StartsNewReason(result, i))
            message += "\n" + failure.reason + (failure.path.empty() ? "" : ":");
        if (!failure.path.empty())
            message += "\n    " + ShortenedForBox(failure.path);
    }
    if (named == result.failures.size())
        return message;
    static constexpr Cp1250Literal kMore{"\n\nDalší soubory, které se nepodařilo uložit: "};
    message += kMore.str() + std::to_string(result.failures.size() - named);
    static constexpr Cp1250Literal kWhole{"\nCelý seznam je v souboru "};
    static constexpr Cp1250Literal kWholeFailed{"\nCelý seznam se nepodařilo uložit do souboru "};
    if (listReason.empty())
        return message + kWhole.str() + listPath;
    return message + kWholeFailed.str() + listPath + ": " + listReason;
}

std::string PathTooLongReason() {
    char reason[64];
    static constexpr Cp1250Literal kFormat{"cesta je delší než %u znaků"};
    std::snprintf(reason, sizeof reason, kFormat.c_str(),
                  static_cast<unsigned>(kMaxReportPathLength));
    return reason;
}

std::string NoSuchRowReason(int row) {
    char reason[64];
    static constexpr Cp1250Literal kFormat{"řádek %d v seznamu není"};
    std::snprintf(reason, sizeof reason, kFormat.c_str(), row);
    return reason;
}
