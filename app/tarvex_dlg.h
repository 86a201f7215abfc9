#pragma once
// The main window: choose a month, a day and a time window, load and summarise the month into
// the list, write the summary and detail reports, and leave after a question.
#include <cstdint>
#include <string>

#include "app/month_combo.h"
#include "controls/list_ctrl_ex.h"
#include "dialogfw/my_cdialog.h"
#include "framework/scoped_win.h"
#include "reports/report_writers.h"

class CTarvexDlg : public MyCDialog {
public:
    explicit CTarvexDlg(CWnd* parent = nullptr);

    static const MessageMap* ThisMessageMap();
    const MessageMap* GetMessageMap() const override;

    BOOL OnInitDialog() override;
    void OnDataChanged(int32_t controlId) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The month that the month combo box designates now: reports are named after it.
    ReportMonth SelectedMonth() const { return MonthOfIndex(m_nMonth); }

    // The bound values, always as the controls last reported them.
    int32_t m_nMonth = 0;
    int32_t m_nDay = 0;
    uint8_t m_bTimeFilter = 0;
    int32_t m_nFromHour = 0;
    int32_t m_nFromMinute = 0;
    int32_t m_nToHour = 24;
    int32_t m_nToMinute = 0;
    uint8_t m_bStripPaths = 0;
    ListCtrlEx m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCancel() override;

    void OnSysCommand(UINT id, LPARAM param);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnHelp();

    void OnLoadData();
    void OnSaveSummary();
    void OnSaveDetailSelected();
    void OnSaveDetailAll();
    void OnCampaign();
    // Both files of total `index`; on success the CSV file's path is stored in *path.
    ReportResult WriteDetailReport(int32_t index, std::string* path);

    HICON m_hIcon;

private:
    ScopedIcon m_smallIcon;

    void SetSmallIcon(UINT dpi);
    void AddAboutToSystemMenu();
    void SetUpList();
    void BindControls();
    void ScaleColumns(UINT dpi);
    // The confirmation when every file was written, else one box naming each failed file.
    void ShowReportOutcome(const ReportResult& result, const std::string& confirmation);
};
