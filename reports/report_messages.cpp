#include "reports/report_messages.h"

#include <cstdio>

#include "reports/report_paths.h"

std::string SummarySavedMessage(const std::string& csvPath) {
    return "Sum\xE1rn\xED p\xF8"
           "ehled byl ulo\x9E"
           "en do souboru:\n\n" +
           csvPath;
}

std::string DetailSavedMessage(const std::string& csvPath) {
    return "Detailn\xED p\xF8"
           "ehled byl ulo\x9E"
           "en do souboru\n\n" +
           csvPath;
}

std::string AllDetailsSavedMessage() {
    return "Detailn\xED p\xF8"
           "ehledy byly ulo\x9E"
           "eny do adres\xE1\xF8"
           "e report";
}

std::string ReportFailureMessage(const ReportResult& result) {
    std::string message =
        "N\xE1sleduj\xED"
        "c\xED soubory p\xF8"
        "ehledu se nepoda\xF8ilo ulo\x9Eit:\n";
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
    std::snprintf(reason, sizeof reason, "cesta je del\x9A\xED ne\x9E %u znak\xF9",
                  static_cast<unsigned>(kMaxReportPathLength));
    return reason;
}

std::string NoSuchRowReason(int row) {
    char reason[64];
    std::snprintf(reason, sizeof reason,
                  "\xF8\xE1"
                  "dek %d v seznamu nen\xED",
                  row);
    return reason;
}
