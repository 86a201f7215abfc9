#include "app/campaign_dlg.h"

#include <shellapi.h>

#include <iterator>

#include "app/dialog_columns.h"
#include "app/resource.h"
#include "app/shell_pickers.h"
#include "base/cp1250.h"
#include "campaign/as_of_day.h"
#include "campaign/calendar.h"
#include "campaign/spot_pattern.h"
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
constexpr Cp1250Literal kNameColumn{"Název"};
constexpr Cp1250Literal kTownColumn{"Město"};
constexpr Cp1250Literal kPathColumn{"Cesta"};
constexpr Cp1250Literal kMonthsColumn{"Nalezené měsíce"};
constexpr std::string_view kPanelColumns[] = {kFolderColumn, kNameColumn, kTownColumn, kPathColumn,
                                              kMonthsColumn};
constexpr int kPanelWidths[] = {55, 110, 60, 140, 85};

// As the dialog grows, the panel list takes two fifths of the height and the result list the
// rest; the fields grow in width, the buttons at the right and the bottom keep to their edges.
constexpr uint8_t kPanelsShare = 40;
constexpr ControlAnchor kAnchors[] = {
    {IDC_BOOKING_PATH, 0, 0, 100, 0},
    {IDC_BROWSE_BOOKING, 100, 0, 0, 0},
    {IDC_REGISTER_PATH, 0, 0, 100, 0},
    {IDC_BROWSE_REGISTER, 100, 0, 0, 0},
    {IDC_AUDIENCE_PATH, 0, 0, 100, 0},
    {IDC_BROWSE_AUDIENCE, 100, 0, 0, 0},
    {IDC_PANELS, 0, 0, 100, kPanelsShare},
    {IDC_ADD_FOLDER, 100, 0, 0, 0},
    {IDC_REMOVE_PANELS, 100, 0, 0, 0},
    {IDC_PANEL_PATH, 0, kPanelsShare, 100, 0},
    {IDC_ADD_PANEL, 100, kPanelsShare, 0, 0},
    {IDC_GAP, 0, kPanelsShare, 0, 0},
    {IDC_AS_OF, 0, kPanelsShare, 0, 0},
    {IDC_PER_CLIENT, 0, kPanelsShare, 0, 0},
    {IDC_PLAY_LISTS, 0, kPanelsShare, 0, 0},
    {IDC_EVALUATE, 0, kPanelsShare, 0, 0},
    {IDC_PROGRESS, 0, kPanelsShare, 100, 0},
    {IDC_STOP, 100, kPanelsShare, 0, 0},
    {IDC_RESULTS, 0, kPanelsShare, 100, 100 - kPanelsShare},
    {IDC_RESULT_NOTE, 0, 100, 100, 0},
    {IDC_OPEN_PAGE, 0, 100, 0, 0},
    {IDC_OPEN_FOLDER, 0, 100, 0, 0},
    {IDC_VERIFY, 0, 100, 0, 0},
    {IDC_RECOUNT, 0, 100, 0, 0},
    {IDCANCEL, 100, 100, 0, 0},
};

constexpr wchar_t kBookingFilter[] = L"Objednávka (*.csv;*.txt)\0*.csv;*.txt\0";
constexpr wchar_t kRegisterFilter[] = L"Registr panelů (*.csv;*.txt)\0*.csv;*.txt\0";
constexpr wchar_t kAudienceFilter[] = L"Publikum (*.csv;*.txt)\0*.csv;*.txt\0";

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
        OnControl(BN_CLICKED, IDC_BROWSE_REGISTER, &CCampaignDlg::OnBrowseRegister),
        OnControl(EN_KILLFOCUS, IDC_REGISTER_PATH, &CCampaignDlg::OnRegisterChanged),
        OnControl(BN_CLICKED, IDC_BROWSE_AUDIENCE, &CCampaignDlg::OnBrowseAudience),
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
    m_anchors.Capture(m_hWnd, kAnchors, std::size(kAnchors));
    BindControls();
    UpdateControls();
    RedirectEnter(IDC_PANEL_PATH, GetDlgItem(IDC_ADD_PANEL), BM_CLICK);
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETRANGE32, 0, 1000);
    m_panels.FindInWorkingFolder();
    OfferTheOnlyBooking();
    OfferOperatorFiles();
    OnRegisterChanged();
    CenterOnOwner();
    return TRUE;
}

// A folder of panel folders usually holds its one booking file beside them, and perhaps the
// panel register and the audience file, which are no booking.
void CCampaignDlg::OfferTheOnlyBooking() {
    WIN32_FIND_DATAW found{};
    ScopedFindFile search(L"*.csv", &found);
    std::wstring only;
    for (bool more = search.Found(); more; more = search.Next(&found)) {
        const std::string name = ToCp1250(found.cFileName);
        if (EqualIgnoringCase(name, kDefaultRegisterFile) ||
            EqualIgnoringCase(name, kDefaultAudienceFile))
            continue;
        if (!only.empty())
            return;
        only = found.cFileName;
    }
    SetDlgItemTextW(m_hWnd, IDC_BOOKING_PATH, only.c_str());
}

// The working folder's panel register and audience file, as the command line takes them.
void CCampaignDlg::OfferOperatorFiles() {
    SetDlgItemTextW(m_hWnd, IDC_REGISTER_PATH,
                    ToWide(DefaultOperatorFile(kDefaultRegisterFile)).c_str());
    SetDlgItemTextW(m_hWnd, IDC_AUDIENCE_PATH,
                    ToWide(DefaultOperatorFile(kDefaultAudienceFile)).c_str());
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
    VerifyInvariant(AddBinding(IDC_RECOUNT, CheckByte, &m_bRecount), kRefused);
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

// The register's names and towns in the panel list; a register that cannot be read or has
// errors names none here, and "Vyhodnotit" says why.
void CCampaignDlg::OnRegisterChanged() {
    OperatorFiles files;
    files.registerPath = ToCp1250(::WindowText(GetDlgItem(IDC_REGISTER_PATH)));
    std::string failed, reason;
    m_panels.ShowRegister(ReadOperatorFiles(files, failed, reason) ? files.panelRegister
                                                                   : PanelRegister{});
    RefreshPanelList();
}

void CCampaignDlg::OnBrowseRegister() {
    if (PickPathInto(IDC_REGISTER_PATH, kRegisterFilter))
        OnRegisterChanged();
}

void CCampaignDlg::OnBrowseAudience() {
    static_cast<void>(PickPathInto(IDC_AUDIENCE_PATH, kAudienceFilter));
}

bool CCampaignDlg::PickPathInto(int editId, const wchar_t* filter) {
    std::wstring path;
    if (!PickOpenFile(m_hWnd, filter, path))
        return false;
    SetDlgItemTextW(m_hWnd, editId, RelativeToWorkingFolder(path).c_str());
    return true;
}

// --- the booking --------------------------------------------------------------------------

void CCampaignDlg::OnBrowseBooking() {
    static_cast<void>(PickPathInto(IDC_BOOKING_PATH, kBookingFilter));
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
    if (message == WM_SIZE) {
        m_anchors.LayOut(LOWORD(lParam), HIWORD(lParam));
    } else if (message == WM_GETMINMAXINFO && m_anchors.Minimum().cx > 0) {
        const SIZE minimum = m_anchors.Minimum();
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.cx, minimum.cy};
        *result = 0;
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
