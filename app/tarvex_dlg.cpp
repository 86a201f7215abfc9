#include "app/tarvex_dlg.h"

#include <iterator>
#include <string_view>

#include "app/about_dlg.h"
#include "app/campaign_dlg.h"
#include "app/month_combo.h"
#include "app/resource.h"
#include "base/cp1250.h"
#include "logdata/playback_log.h"
#include "logdata/log_months.h"
#include "logdata/month_load.h"
#include "logdata/load_messages.h"
#include "logdata/totals.h"
#include "reports/report_file.h"
#include "framework/message_box.h"
#include "framework/scoped_win.h"

namespace {

constexpr Cp1250Literal kExitQuestion{"Ukončit program ?"};

// The columns' layout; their titles are the list's wording of logdata/totals.h.
struct Column {
    int format;
    int width;  // pixels at 96 DPI
};
constexpr Column kColumns[kTotalColumns] = {
    {LVCFMT_LEFT, 450},
    {LVCFMT_RIGHT, 100},
    {LVCFMT_RIGHT, 100},
    {LVCFMT_RIGHT, 140},
};

// The window's DPI where the system knows DPI per window, else the screen's.
UINT WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    const ScopedGetDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

CTarvexDlg::CTarvexDlg(CWnd* parent)
    : MyCDialog(IDD_TARVEX_DIALOG, parent),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

const MessageMap* CTarvexDlg::ThisMessageMap() {
    static const MessageMapEntry entries[] = {
        OnSysCommandMessage(&CTarvexDlg::OnSysCommand),
        OnMessage(WM_PAINT, &CTarvexDlg::OnPaint),
        OnQueryDragIconMessage(&CTarvexDlg::OnQueryDragIcon),
        OnControl(BN_CLICKED, IDC_LOAD, &CTarvexDlg::OnLoadData),
        OnControl(BN_CLICKED, IDC_SAVE_SUMMARY, &CTarvexDlg::OnSaveSummary),
        OnControl(BN_CLICKED, IDC_SAVE_DETAIL_SELECTED, &CTarvexDlg::OnSaveDetailSelected),
        OnControl(BN_CLICKED, IDC_SAVE_DETAIL_ALL, &CTarvexDlg::OnSaveDetailAll),
        OnControl(0, ID_HELP, &CTarvexDlg::OnHelp),
        OnControl(BN_CLICKED, IDC_CAMPAIGN, &CTarvexDlg::OnCampaign),
    };
    static const MessageMap map{CDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

const MessageMap* CTarvexDlg::GetMessageMap() const {
    return ThisMessageMap();
}

void CTarvexDlg::DoDataExchange(CDataExchange* dx) {
    MyCDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST, m_list);
}

BOOL CTarvexDlg::OnInitDialog() {
    MyCDialog::OnInitDialog();
    AddAboutToSystemMenu();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SetSmallIcon(WindowDpi(m_hWnd));
    // A folder that cannot be made shows up as the reason when a report fails.
    static_cast<void>(EnsureReportFolder(nullptr));
    SetUpList();
    FindLogMonths();
    FillMonthCombo(GetDlgItem(IDC_MONTH));
    BindControls();
    UpdateControls();
    return TRUE;
}

void CTarvexDlg::AddAboutToSystemMenu() {
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    wchar_t text[256] = {};
    if (menu == nullptr ||
        LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, std::size(text)) <= 0) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CTarvexDlg::SetUpList() {
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const UINT dpi = WindowDpi(m_hWnd);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const Column& column = kColumns[i];
        m_list.InsertColumn(i, TotalColumnTitle(i).list, column.format,
                            MulDiv(column.width, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
    }
    m_list.SetTextCallback(&ThePlaybackLog(), GetTotalText);
    m_list.SetItemCountEx(0);
}

void CTarvexDlg::ScaleColumns(UINT dpi) {
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const int width = MulDiv(kColumns[i].width, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
        m_list.SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(width, 0));
    }
}

void CTarvexDlg::BindControls() {
    constexpr const char* kRefused = "BindControls: a binding was refused";
    VerifyInvariant(AddBinding(IDC_MONTH, ComboIndex, &m_nMonth), kRefused);
    VerifyInvariant(AddBinding(IDC_DAY, ComboIndex, &m_nDay), kRefused);
    VerifyInvariant(AddBinding(IDC_TIME_FILTER, CheckByte, &m_bTimeFilter), kRefused);
    AddIntEdit(IDC_FROM_HOUR, &m_nFromHour);
    AddIntEdit(IDC_FROM_MINUTE, &m_nFromMinute);
    AddIntEdit(IDC_TO_HOUR, &m_nToHour);
    AddIntEdit(IDC_TO_MINUTE, &m_nToMinute);
    VerifyInvariant(AddBinding(IDC_STRIP_PATHS, CheckByte, &m_bStripPaths), kRefused);
}

void CTarvexDlg::OnDataChanged(int32_t) {
    // The labels between the edits lie in this run too, so the whole window greys out.
    EnableControlRange(IDC_FROM_HOUR, IDC_TO_MINUTE, m_bTimeFilter != 0);
}

// The icon file's 16-pixel image, at the window's DPI: scaled down, the 32-pixel one blurs.
void CTarvexDlg::SetSmallIcon(UINT dpi) {
    const int size = MulDiv(16, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    HICON icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon == nullptr)
        return;
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    m_smallIcon.Reset(icon);
}

BOOL CTarvexDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DPICHANGED) {
        ScaleColumns(LOWORD(wParam));
        SetSmallIcon(LOWORD(wParam));
    }
    return MyCDialog::OnWndMsg(message, wParam, lParam, result);
}

void CTarvexDlg::OnLoadData() {
    CWaitCursor wait;
    PlaybackLog& log = ThePlaybackLog();
    const std::string path = LogFilePath(SelectedMonth());
    log.filter.day = m_nDay;
    log.filter.stripPaths = m_bStripPaths;
    log.filter.timeFilterOn = m_bTimeFilter != 0;
    log.filter.fromHour = m_nFromHour;
    log.filter.fromMinute = m_nFromMinute;
    log.filter.toHour = m_nToHour;
    log.filter.toMinute = m_nToMinute;
    const LoadResult result = LoadSortAndGroup(path.c_str(), log);
    // The row count follows the totals before anything can repaint the list.
    m_list.SetItemCountEx(log.totalCount, LVSICF_NOSCROLL);
    // A month that could not be read whole is said so; the save buttons keep their state.
    if (result.status == LoadStatus::kDateError || result.status == LoadStatus::kOutOfMemory ||
        result.status == LoadStatus::kReadError) {
        ShowMessageBox(m_hWnd, LoadOutcomeMessage(result, path), BoxTitle::kProduct,
                       MB_OK | MB_ICONSTOP);
        return;
    }
    EnableControlRange(IDC_SAVE_SUMMARY, IDC_SAVE_DETAIL_ALL, true);
}

void CTarvexDlg::OnCampaign() {
    RunCampaignDialog(this);
}

void CTarvexDlg::OnCancel() {
    if (ShowMessageBox(m_hWnd, kExitQuestion, BoxTitle::kProduct,
                       MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES) {
        MyCDialog::OnCancel();
    }
}

void CTarvexDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CTarvexDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR CTarvexDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CTarvexDlg::OnHelp() {
    if (CWinApp* app = AfxGetApp())
        app->OnHelp();
}
