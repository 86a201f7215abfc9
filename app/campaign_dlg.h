#pragma once
// The campaign proof in the window: a booking file and the panels' folders in, the count on a
// worker thread with its progress, the result per booking line and panel, the two report files
// out; and the check of a page's evidence later.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/campaign_count.h"
#include "app/campaign_panels.h"
#include "controls/list_ctrl_ex.h"
#include "dialogfw/my_cdialog.h"
#include "framework/dialog_anchors.h"
#include "reports/campaign_run.h"
#include "reports/play_lists.h"

class CCampaignDlg : public MyCDialog {
public:
    explicit CCampaignDlg(CWnd* parent = nullptr);

    static const MessageMap* ThisMessageMap();
    const MessageMap* GetMessageMap() const override;

    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // What the count and the report writers take from the dialog, handed over in one place.
    struct CoreSettings {
        CampaignSettings count;
        bool perClientFiles;
        bool playLists;
    };
    CoreSettings SettingsForCore() const;

    bool CountRunning() const { return m_count.Running(); }
    // Each folder dropped on the panel list, as if typed.
    void AddDroppedFolders(HDROP drop);
    // Hashes again each file the page names and lists what became of it, as verify does; with
    // the box "i přepočítat" ticked also counts it again, as verify --recount does.
    void VerifyPage(const std::string& path);

    // The bound values, always as the controls last reported them.
    int32_t m_nGapMinutes = 15;
    DateYmd m_asOf{};          // the last day counted; yesterday when the dialog opens
    uint8_t m_bPerClient = 1;  // as the command line: a pair per client besides the overview
    uint8_t m_bRecount = 0;    // "Ověřit stránku…" counts the campaign again too
    uint8_t m_bPlayLists = 1;  // as the command line: both plays lists

    ListCtrlEx m_panelList;
    ListCtrlEx m_resultList;
    PanelFolders m_panels;

    // The last count that ended with files written; its rows are the result list's.
    BookingFile m_booking;
    std::vector<CampaignPanel> m_countedPanels;
    CampaignResult m_result;
    std::string m_pagePath;  // the overview page written last, "" before

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;

    void OnBrowseBooking();
    void OnBrowseRegister();
    void OnRegisterChanged();
    void OnBrowseAudience();
    void OnAddFolder();
    void OnAddPanel();
    void OnRemovePanels();
    void OnEvaluate();
    void OnStop();
    void OnOpenPage();
    void OnOpenFolder();
    void OnVerify();
    void OnDropFiles(HDROP drop);

private:
    void SetUpLists();
    void SetUpResultList();
    void CenterOnOwner();
    void OfferTheOnlyBooking();
    void OfferOperatorFiles();
    // The Open dialog's file into the edit, relative to the working folder; false when cancelled.
    bool PickPathInto(int editId, const wchar_t* filter);
    void BindControls();
    // Adds the folder unless it is refused, which a box then says with the reason.
    bool AddPanelFolder(const std::string& folder);
    void RefreshPanelList();
    bool GapAccepted();
    void SetCounting(bool counting);
    void OnCountProgress(WPARAM permille);
    void OnCounted();
    void WriteCounted(const CampaignResult& result);
    bool ReadChosenOperatorFiles();
    void OnCountDone();
    void OnOutcome(CampaignResult&& result);
    void OnOutcome(const CampaignStopped&);
    void OnOutcome(const UnreadableLog& log);
    void ShowResult();
    std::string ResultNote() const;
    std::string ListsNote() const;
    void ShowLines(const std::string& title, const std::string& lines);

    BookingFile m_pendingBooking;                // the booking being counted
    std::vector<CampaignPanel> m_pendingPanels;  // and its panels
    OperatorFiles m_pendingOperatorFiles;        // and the register and audience file chosen
    CampaignSettings m_pendingCount;
    bool m_pendingPerClient = false;
    std::unique_ptr<PlayListParts> m_playLists;  // the count's parts, null without lists
    // What the worker wrote, read once it has ended.
    std::string m_writtenName;
    ReportResult m_written;
    std::vector<std::string> m_writtenPaths;
    bool m_askingToClose = false;
    bool m_countedUnwritten = false;  // counted while the dialog asked whether to close
    bool m_writing = false;           // the worker writes the files, and cannot be stopped
    DialogAnchors m_anchors;
    // Last, so that it is the first to go: its thread uses the members above until it ends.
    CampaignCount m_count;
};

// Opens the dialog over the owner: modal, centred on it.
void RunCampaignDialog(CWnd* owner);
