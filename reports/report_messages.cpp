#include "reports/report_messages.h"

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

std::string ReportFailureMessage(const ReportResult& result) {
    static constexpr Cp1250Literal kText{"Následující soubory přehledu se nepodařilo uložit:\n"};
    std::string message = kText.str();
    for (const ReportFailure& failure : result.failures) {
        message += "\n";
        if (!failure.path.empty()) {
            message += failure.path + ": ";
        }
        message += failure.reason;
    }
    return message;
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
