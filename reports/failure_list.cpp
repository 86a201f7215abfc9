#include "reports/failure_list.h"

#include "reports/report_file.h"
#include "reports/report_messages.h"
#include "reports/report_paths.h"

std::string FailureListPath() {
    return std::string("report") + kReportPathSeparator + "neulozene_soubory.txt";
}

bool WriteFailureList(const ReportResult& result, const std::string& path, std::string* reason) {
    ReportFileWriter out;
    if (out.Open(path)) {
        out.Write(FailureListHeading());
        out.Write("\r\n");
        for (const ReportFailure& failure : result.failures) {
            out.Write(FailureLine(failure));
            out.Write("\r\n");
        }
        if (out.Close())
            return true;
    }
    if (reason != nullptr)
        *reason = out.FailureReason();
    return false;
}
