#include "framework/dialog.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "framework/invariant.h"
#include "framework/win_app.h"
#include "framework/win_text.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd == nullptr)
        VerifyInvariant(control.SubclassDlgItem(id, dx->m_pDlgWnd),
                        "DDX_Control: the dialog has no such control to attach");
}

const CRuntimeClass CDialog::classCDialog{"CDialog", &CWnd::classCWnd};

const CRuntimeClass* CDialog::GetRuntimeClass() const {
    return &classCDialog;
}

const MessageMap* CDialog::ThisMessageMap() {
    static const MessageMapEntry entries[] = {
        OnControl(BN_CLICKED, IDOK, &CDialog::HandleOK),
        OnControl(BN_CLICKED, IDCANCEL, &CDialog::HandleCancel),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

const MessageMap* CDialog::GetMessageMap() const {
    return ThisMessageMap();
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), ModalOwner(),
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

// A dialog without a parent belongs to the application's main window, else to the thread's
// active window: the dialog manager disables its owner while it runs, and an owned window
// gets no taskbar button. A child window owns no popup, so its top-level window does.
HWND CDialog::ModalOwner() const {
    if (m_pParentWnd != nullptr)
        return m_pParentWnd->m_hWnd;
    HWND owner = nullptr;
    const CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this)
        owner = app->m_pMainWnd->m_hWnd;
    if (owner == nullptr)
        owner = GetActiveWindow();
    if (owner == nullptr)
        return nullptr;
    // A box the owner shows now is where the user is.
    return GetLastActivePopup(GetAncestor(owner, GA_ROOT));
}

// The dialog manager's procedure only hands the window to its object; from then on the
// object sees every message first, through the subclassed window procedure.
INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* self = reinterpret_cast<CDialog*>(lParam);
    if (!self->SubclassWindow(hwnd))
        return FALSE;
    return self->WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        CenterIfUnplaced();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit();
    return UpdateData(FALSE);
}

// The template's item resource (type 240, the template's id): rows of control id, message in
// the old 16-bit numbering, a 32-bit byte count and that many bytes of NUL-terminated
// Windows-1250 text; a control id of 0 ends the list.
void CDialog::ExecuteDlgInit() {
    HINSTANCE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(240));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
    if (bytes == nullptr)
        return;
    const size_t size = SizeofResource(module, found);
    constexpr size_t kRowHeader = 8;
    for (size_t at = 0; at + 2 <= size;) {
        WORD id = 0, message = 0;
        DWORD length = 0;
        std::memcpy(&id, bytes + at, sizeof id);
        if (id == 0 || at + kRowHeader > size)
            break;
        std::memcpy(&message, bytes + at + 2, sizeof message);
        std::memcpy(&length, bytes + at + 4, sizeof length);
        at += kRowHeader;
        if (length > size - at)
            break;
        const auto* text = reinterpret_cast<const char*>(bytes + at);
        const std::wstring item = ToWide(std::string_view(text, strnlen(text, length)));
        constexpr WORD kOldListAdd = 0x0401, kOldComboAdd = 0x0403;
        if (message == kOldComboAdd || message == kOldListAdd) {
            SendDlgItemMessageW(m_hWnd, id, message == kOldComboAdd ? CB_ADDSTRING : LB_ADDSTRING,
                                0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        at += length;
    }
}

// A template at the origin leaves the place to us: the dialog opens centred on its owner, or
// on the work area of its monitor when it has none.
void CDialog::CenterIfUnplaced() {
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    POINT origin{0, 0};
    if (owner != nullptr)
        ClientToScreen(owner, &origin);
    RECT window;
    GetWindowRect(m_hWnd, &window);
    if (window.left != origin.x || window.top != origin.y)
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT area = monitor.rcWork;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG x = std::max(monitor.rcWork.left, (area.left + area.right - width) / 2);
    const LONG y = std::max(monitor.rcWork.top, (area.top + area.bottom - height) / 2);
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx{this, saveAndValidate};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
