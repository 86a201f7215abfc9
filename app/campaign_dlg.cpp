#include "app/campaign_dlg.h"

#include <shellapi.h>

#include <iterator>

#include "app/dialog_columns.h"
#include "app/resource.h"
#include "app/shell_pickers.h"
#include "base/cp1250.h"
#include "campaign/as_of_day.h"
#include "campaign/calendar.h"
#include "framework/message_box.h"
#include "framework/scoped_win.h"

namespace {

constexpr Cp1250Literal kFolder{"Složka "};
constexpr Cp1250Literal kHasNoLogs{" nemá log\\AVI_*.txt: není to složka panelu."};
constexpr Cp1250Literal kPanel{"Panel "};
constexpr Cp1250Literal kAlreadyListed{" už v seznamu je."};
constexpr Cp1250Literal kSameNameAs{" by se jmenoval stejně jako panel "};
constexpr Cp1250Literal kStopAndClose{"Vyhodnocení ještě běží. Přerušit ho a zavřít okno?"};

constexpr Cp1250Literal kFolderColumn{"Složka"};
constexpr Cp1250Literal kPathColumn{"Cesta"};
constexpr Cp1250Literal kMonthsColumn{"Nalezené měsíce"};
constexpr std::string_view kPanelColumns[] = {kFolderColumn, kPathColumn, kMonthsColumn};
constexpr int kPanelWidths[] = {60, 170, 92};

constexpr wchar_t kBookingFilter[] = L"Objednávka (*.csv;*.txt)\0*.csv;*.txt\0";

// The command line's default too: yesterday, or the day before SOURCE_DATE_EPOCH's date.
DateYmd Yesterday() {
    const CivilDate day = DateOfDay(DefaultAsOfDay());
    return {static_cast<uint16_t>(day.year), static_cast<uint16_t>(day.month),
            static_cast<uint16_t>(day.day)};
}

bool EndsWithIgnoringCase(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           CompareStringOrdinal(text.c_str() + text.size() - end.size(),
                                static_cast<int>(end.size()), end.c_str(),
                                static_cast<int>(end.size()), TRUE) == CSTR_EQUAL;
}

void GetPanelCell(void* context, ListViewItem* item) {
    GetPanelText(&static_cast<CCampaignDlg*>(context)->m_panels, item);
}

void AddDroppedPanels(void* context, int32_t, int32_t, HDROP drop) {
    static_cast<CCampaignDlg*>(context)->AddDroppedFolders(drop);
}

}  // namespace

CCampaignDlg::CCampaignDlg(CWnd* parent) : MyCDialog(IDD_CAMPAIGN, parent), m_asOf(Yesterday()) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
}

const MessageMap* CCampaignDlg::ThisMessageMap() {
    static const MessageMapEntry entries[] = {
        OnControl(BN_CLICKED, IDC_BROWSE_BOOKING, &CCampaignDlg::OnBrowseBooking),
        OnControl(BN_CLICKED, IDC_ADD_FOLDER, &CCampaignDlg::OnAddFolder),
        OnControl(BN_CLICKED, IDC_ADD_PANEL, &CCampaignDlg::OnAddPanel),
        OnControl(BN_CLICKED, IDC_REMOVE_PANELS, &CCampaignDlg::OnRemovePanels),
        OnControl(BN_CLICKED, IDC_EVALUATE, &CCampaignDlg::OnEvaluate),
        OnControl(BN_CLICKED, IDC_STOP, &CCampaignDlg::OnStop),
        OnControl(BN_CLICKED, IDC_OPEN_PAGE, &CCampaignDlg::OnOpenPage),
        OnControl(BN_CLICKED, IDC_OPEN_FOLDER, &CCampaignDlg::OnOpenFolder),
        OnControl(BN_CLICKED, IDC_VERIFY, &CCampaignDlg::OnVerify),
        OnDropFilesMessage(&CCampaignDlg::OnDropFiles),
    };
    static const MessageMap map{CDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

const MessageMap* CCampaignDlg::GetMessageMap() const {
    return ThisMessageMap();
}

void CCampaignDlg::DoDataExchange(CDataExchange* dx) {
    MyCDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PANELS, m_panelList);
    DDX_Control(dx, IDC_RESULTS, m_resultList);
}

BOOL CCampaignDlg::OnInitDialog() {
    MyCDialog::OnInitDialog();
    SetUpLists();
    BindControls();
    UpdateControls();
    RedirectEnter(IDC_PANEL_PATH, GetDlgItem(IDC_ADD_PANEL), BM_CLICK);
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETRANGE32, 0, 1000);
    m_panels.FindInWorkingFolder();
    RefreshPanelList();
    OfferTheOnlyBooking();
    CenterOnOwner();
    return TRUE;
}

// A folder of panel folders usually holds its one booking file beside them.
void CCampaignDlg::OfferTheOnlyBooking() {
    WIN32_FIND_DATAW found{};
    ScopedFindFile search(L"*.csv", &found);
    if (!search.Found())
        return;
    const std::wstring first = found.cFileName;
    if (!search.Next(&found))
        SetDlgItemTextW(m_hWnd, IDC_BOOKING_PATH, first.c_str());
}

void CCampaignDlg::CenterOnOwner() {
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner == nullptr || IsIconic(owner))
        return;
    RECT area{}, window{};
    GetWindowRect(owner, &area);
    GetWindowRect(m_hWnd, &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    SetWindowPos(m_hWnd, nullptr, (area.left + area.right - width) / 2,
                 (area.top + area.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCampaignDlg::SetUpLists() {
    const int panelColumns = static_cast<int>(std::size(kPanelWidths));
    SetUpDialogColumns(m_panelList, kPanelColumns, kPanelWidths, panelColumns, panelColumns);
    m_panelList.SetTextCallback(this, GetPanelCell);
    m_panelList.SetDropCallback(AddDroppedPanels);
    m_panelList.AcceptDroppedFiles(true);
    SetUpResultList();
}

void CCampaignDlg::BindControls() {
    constexpr const char* kRefused = "CCampaignDlg: a binding was refused";
    VerifyInvariant(
        AddBinding(IntBinding(IDC_GAP, EditInt, &m_nGapMinutes, kShortestGap, kLongestGap)),
        kRefused);
    VerifyInvariant(AddBinding(IDC_AS_OF, DatePickerYmd, &m_asOf), kRefused);
    VerifyInvariant(AddBinding(IDC_PER_CLIENT, CheckByte, &m_bPerClient), kRefused);
    VerifyInvariant(AddBinding(IDC_PLAY_LISTS, CheckByte, &m_bPlayLists), kRefused);
}

// --- panels -------------------------------------------------------------------------------

bool CCampaignDlg::AddPanelFolder(const std::string& folder) {
    const PanelFolder* other = nullptr;
    std::string refusal;
    switch (m_panels.Add(folder, &other)) {
        case PanelAddOutcome::kAdded:
            RefreshPanelList();
            return true;
        case PanelAddOutcome::kNoLogs:
            refusal = kFolder.str() + folder + kHasNoLogs.str();
            break;
        case PanelAddOutcome::kAlreadyListed:
            refusal = kPanel.str() + other->fullPath + kAlreadyListed.str();
            break;
        case PanelAddOutcome::kSameName:
            refusal = kPanel.str() + folder + kSameNameAs.str() + other->fullPath + ".";
            break;
    }
    ShowMessageBox(m_hWnd, refusal, BoxTitle::kProduct, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CCampaignDlg::RefreshPanelList() {
    m_panelList.SetItemCountEx(static_cast<int>(m_panels.Folders().size()), 0);
    InvalidateRect(m_panelList.m_hWnd, nullptr, TRUE);
}

void CCampaignDlg::AddDroppedFolders(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[MAX_PATH * 4] = {};
        if (DragQueryFileW(drop, i, path, static_cast<UINT>(std::size(path))) > 0)
            AddPanelFolder(ToCp1250(RelativeToWorkingFolder(path)));
    }
}

void CCampaignDlg::OnAddFolder() {
    std::wstring folder;
    if (PickFolder(m_hWnd, folder))
        AddPanelFolder(ToCp1250(RelativeToWorkingFolder(folder)));
}

void CCampaignDlg::OnAddPanel() {
    HWND edit = GetDlgItem(IDC_PANEL_PATH);
    const std::string folder = ToCp1250(::WindowText(edit));
    if (folder.empty())
        return;
    if (AddPanelFolder(folder))
        ::SetWindowTextW(edit, L"");
}

void CCampaignDlg::OnRemovePanels() {
    std::vector<int> rows;
    for (int row = m_panelList.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_panelList.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    m_panels.Remove(rows);
    m_panelList.SetItemState(-1, 0, LVIS_SELECTED);
    RefreshPanelList();
}

// --- the booking --------------------------------------------------------------------------

void CCampaignDlg::OnBrowseBooking() {
    std::wstring path;
    if (PickOpenFile(m_hWnd, kBookingFilter, path))
        SetDlgItemTextW(m_hWnd, IDC_BOOKING_PATH, RelativeToWorkingFolder(path).c_str());
}

void CCampaignDlg::OnDropFiles(HDROP drop) {
    wchar_t path[MAX_PATH * 4] = {};
    if (DragQueryFileW(drop, 0, path, static_cast<UINT>(std::size(path))) > 0 &&
        EndsWithIgnoringCase(path, L".csv"))
        SetDlgItemTextW(m_hWnd, IDC_BOOKING_PATH, RelativeToWorkingFolder(path).c_str());
    DragFinish(drop);
}

void CCampaignDlg::OnOK() {}

// Once the files are being written, closing asks nothing and waits for them: a set is never left
// half made, and no count is left to stop.
void CCampaignDlg::OnCancel() {
    if (m_count.Running() && !m_writing) {
        m_askingToClose = true;
        const int answer = ShowMessageBox(m_hWnd, kStopAndClose, BoxTitle::kProduct,
                                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        m_askingToClose = false;
        if (answer != IDYES) {
            if (m_countedUnwritten)
                OnCounted();
            return;
        }
        m_count.RequestStop();
    }
    CWaitCursor wait;
    m_count.Join();
    MyCDialog::OnCancel();
}

BOOL CCampaignDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == kCountProgress) {
        OnCountProgress(wParam);
        return TRUE;
    }
    if (message == kCountCounted) {
        OnCounted();
        return TRUE;
    }
    if (message == kCountDone) {
        OnCountDone();
        return TRUE;
    }
    // The hourglass shows over the progress only: the rest of the dialog stays usable.
    if (message == WM_SETCURSOR && m_count.Running() &&
        reinterpret_cast<HWND>(wParam) == GetDlgItem(IDC_PROGRESS)) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        *result = TRUE;
        return TRUE;
    }
    return MyCDialog::OnWndMsg(message, wParam, lParam, result);
}

void RunCampaignDialog(CWnd* owner) {
    CCampaignDlg dialog(owner);
    dialog.DoModal();
}
