// The main window's report commands: the summary of the list and the detail reports of the
// selected row or of every row, named after the month selected at that moment.
#include "app/tarvex_dlg.h"
#include "app/resource.h"
#include "framework/message_box.h"
#include "logdata/playback_log.h"
#include "userlocale/user_decimal_separator.h"
#include "reports/failure_list.h"
#include "reports/report_messages.h"

void CTarvexDlg::ShowReportOutcome(const ReportResult& result, const std::string& confirmation) {
    if (Succeeded(result)) {
        ShowMessageBox(m_hWnd, confirmation, BoxTitle::kReport, MB_OK);
        return;
    }
    // A box taller than the screen hides its button: the files it cannot name go to a list.
    const std::string listPath = FailureListPath();
    std::string listReason;
    if (FailuresNamedInBox(result) < result.failures.size())
        static_cast<void>(WriteFailureList(result, listPath, &listReason));  // the box says why
    const std::string message = ReportFailureBoxMessage(result, listPath, listReason);
    ShowMessageBox(m_hWnd, message, BoxTitle::kReport, MB_OK | MB_ICONEXCLAMATION);
}

void CTarvexDlg::OnSaveSummary() {
    const ReportResult result =
        WriteSummaryFiles(ThePlaybackLog(), SelectedMonth(), UserDecimalSeparator());
    ShowReportOutcome(result, SummarySavedMessage(result.csvPath));
}

ReportResult CTarvexDlg::WriteDetailReport(int32_t index, std::string* path) {
    ReportResult result =
        WriteDetailFiles(ThePlaybackLog(), index, SelectedMonth(), UserDecimalSeparator());
    if (path != nullptr && Succeeded(result))
        *path = result.csvPath;
    return result;
}

void CTarvexDlg::OnSaveDetailSelected() {
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= ThePlaybackLog().totalCount)
        return;
    std::string path;
    const ReportResult result = WriteDetailReport(row, &path);
    ShowReportOutcome(result, DetailSavedMessage(path));
}

void CTarvexDlg::OnSaveDetailAll() {
    CWaitCursor wait;  // until the box is closed
    const ReportResult result =
        WriteAllDetailFiles(ThePlaybackLog(), SelectedMonth(), UserDecimalSeparator());
    ShowReportOutcome(result, AllDetailsSavedMessage());
}
