#include "framework/framework.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "base/cp1250.h"
#include "base/win32_types.h"

// The core's stand-ins must match the records the window hands it.
static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME));
static_assert(offsetof(SystemTime, wDay) == offsetof(SYSTEMTIME, wDay));
static_assert(offsetof(SystemTime, wMilliseconds) == offsetof(SYSTEMTIME, wMilliseconds));
static_assert(sizeof(ListViewItem) == sizeof(LVITEMA));
static_assert(offsetof(ListViewItem, mask) == offsetof(LVITEMA, mask));
static_assert(offsetof(ListViewItem, iItem) == offsetof(LVITEMA, iItem));
static_assert(offsetof(ListViewItem, iSubItem) == offsetof(LVITEMA, iSubItem));
static_assert(offsetof(ListViewItem, state) == offsetof(LVITEMA, state));
static_assert(offsetof(ListViewItem, pszText) == offsetof(LVITEMA, pszText));
static_assert(offsetof(ListViewItem, cchTextMax) == offsetof(LVITEMA, cchTextMax));
static_assert(offsetof(ListViewItem, iImage) == offsetof(LVITEMA, iImage));
static_assert(offsetof(ListViewItem, lParam) == offsetof(LVITEMA, lParam));
static_assert(offsetof(ListViewItem, iIndent) == offsetof(LVITEMA, iIndent));
static_assert(offsetof(ListViewItem, iGroupId) == offsetof(LVITEMA, iGroupId));
static_assert(offsetof(ListViewItem, cColumns) == offsetof(LVITEMA, cColumns));
static_assert(offsetof(ListViewItem, puColumns) == offsetof(LVITEMA, puColumns));
static_assert(offsetof(ListViewItem, piColFmt) == offsetof(LVITEMA, piColFmt));
static_assert(offsetof(ListViewItem, iGroup) == offsetof(LVITEMA, iGroup));
static_assert(kListItemText == LVIF_TEXT);
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

// The window property that leads from an HWND to its object.
constexpr wchar_t kObjectProperty[] = L"KvimeterCWnd";

CWinApp* g_app = nullptr;

}  // namespace

std::wstring ToWide(std::string_view cp1250) {
    std::wstring text(cp1250.size(), L'\0');
    for (size_t i = 0; i < cp1250.size(); ++i) {
        text[i] = static_cast<wchar_t>(Cp1250ToUnicode(static_cast<unsigned char>(cp1250[i])));
    }
    return text;
}

std::string ToCp1250(std::wstring_view text) {
    return Utf16ToCp1250(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring ApplicationName() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text + (text.empty() ? L"" : L" ") + L"(" + std::to_wstring(error) + L")";
}

void VerifyInvariant(bool holds, const char* what) {
    if (!holds) {
        throw std::logic_error(what);
    }
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base)
            return true;
    }
    return false;
}

// ---- CWnd -----------------------------------------------------------------------------

const CRuntimeClass CWnd::classCWnd{"CWnd", nullptr};

const CRuntimeClass* CWnd::GetRuntimeClass() const {
    return &classCWnd;
}

const MessageMap* CWnd::ThisMessageMap() {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const {
    return ThisMessageMap();
}

CWnd::~CWnd() {
    // A window that outlives its object would call into freed memory.
    HWND hwnd = UnsubclassWindow();
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty));
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd != nullptr || hwnd == nullptr || FromHandlePermanent(hwnd) != nullptr)
        return false;
    if (!SetPropW(hwnd, kObjectProperty, this))
        return false;
    m_hWnd = hwnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) {
    return parent != nullptr && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    RemovePropW(hwnd, kObjectProperty);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hwnd;
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}

void CWnd::SetWindowText(std::string_view cp1250) {
    ::SetWindowTextW(m_hWnd, ToWide(cp1250).c_str());
}

std::string CWnd::GetWindowText() const {
    return ToCp1250(WindowText(m_hWnd));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(hwnd);
    if (self == nullptr)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC super = self->m_pfnSuper;
        self->UnsubclassWindow();
        return CallWindowProcW(super, hwnd, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Handlers may send messages to their own window: keep the outer message for Default.
    MSG outer = m_currentMsg;
    m_currentMsg = MSG{m_hWnd, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    // An error must not unwind through the system's frames: it ends the handler and is shown.
    try {
        if (!OnWndMsg(message, wParam, lParam, &result)) {
            result = DefWindowProc(message, wParam, lParam);
        }
    } catch (const std::exception& error) {
        ReportHandlerError(GetAncestor(m_hWnd, GA_ROOT), error.what());
    } catch (...) {
        ReportHandlerError(GetAncestor(m_hWnd, GA_ROOT), "Unexpected error.");
    }
    m_currentMsg = outer;
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

const MessageMapEntry* CWnd::FindEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& e = map->entries[i];
            if (e.message == message && e.code == code && e.idFirst <= id && id <= e.idLast) {
                return &e;
            }
        }
    }
    return nullptr;
}

// The one place where wParam and lParam become typed arguments.
bool CWnd::DispatchEntry(const MessageMapEntry& e, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (e.sig) {
        case HandlerSig::Notify:
            return (this->*e.handler.notify)(reinterpret_cast<NMHDR*>(lParam), result);
        case HandlerSig::Command:
            (this->*e.handler.command)();
            return true;
        case HandlerSig::Key:
            (this->*e.handler.key)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return true;
        case HandlerSig::DropFiles:
            (this->*e.handler.dropFiles)(reinterpret_cast<HDROP>(wParam));
            return true;
        case HandlerSig::SysCommand:
            (this->*e.handler.sysCommand)(static_cast<UINT>(wParam), lParam);
            return true;
        case HandlerSig::QueryDragIcon:
            *result = reinterpret_cast<LRESULT>((this->*e.handler.queryDragIcon)());
            return true;
    }
    return false;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, result);
    const MessageMapEntry* entry = FindEntry(message, 0, 0);
    return entry != nullptr && DispatchEntry(*entry, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    LRESULT ignored = 0;
    if (child != nullptr && child != this &&
        child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) {
        return TRUE;
    }
    const MessageMapEntry* entry = FindEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
    return entry != nullptr && DispatchEntry(*entry, wParam, lParam, &ignored);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr)
        return FALSE;
    CWnd* child = FromHandlePermanent(header->hwndFrom);
    if (child != nullptr && child != this &&
        child->OnChildNotify(WM_NOTIFY, header->idFrom, lParam, result)) {
        return TRUE;
    }
    const MessageMapEntry* entry =
        FindEntry(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    return entry != nullptr && DispatchEntry(*entry, header->idFrom, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    UINT code = 0;
    if (message == WM_NOTIFY) {
        code = reinterpret_cast<const NMHDR*>(lParam)->code;
    } else if (message == WM_COMMAND) {
        code = HIWORD(wParam);
    } else {
        return FALSE;
    }
    const MessageMapEntry* entry = FindEntry(kReflectBase + message, code, 0);
    return entry != nullptr && DispatchEntry(*entry, wParam, lParam, result);
}

INT_PTR CWnd::OnToolHitTest(POINT, TTTOOLINFOW*) const {
    return -1;
}

// ---- CDialog --------------------------------------------------------------------------

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

// ---- CListCtrl ------------------------------------------------------------------------

const CRuntimeClass CListCtrl::classCListCtrl{"CListCtrl", &CWnd::classCWnd};

const CRuntimeClass* CListCtrl::GetRuntimeClass() const {
    return &classCListCtrl;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle));
}

int CListCtrl::InsertColumn(int column, std::string_view heading, int format, int width) {
    std::wstring text = ToWide(heading);
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = text.data();
    col.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&col)));
}

BOOL CListCtrl::SetItemCountEx(int count, DWORD flags) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetSubItemRect(int row, int column, int area, RECT& rect) const {
    rect = RECT{area, column, 0, 0};  // the message reads the area and column from the rectangle
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)));
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
    wchar_t buffer[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    LRESULT length =
        SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    // The list may answer with a pointer of its own instead of filling our buffer.
    const wchar_t* text = item.pszText != nullptr ? item.pszText : buffer;
    return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

// ---- CFont, CWaitCursor ---------------------------------------------------------------

CFont::~CFont() {
    DeleteObject();
}

BOOL CFont::CreateFontIndirect(const LOGFONTW& font) {
    DeleteObject();
    m_hObject = ::CreateFontIndirectW(&font);
    return m_hObject != nullptr;
}

BOOL CFont::DeleteObject() {
    if (m_hObject == nullptr)
        return FALSE;
    BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}

// IDC_WAIT, in its wide form.
CWaitCursor::CWaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}

CWaitCursor::~CWaitCursor() {
    SetCursor(m_previous);
}

// ---- CWinApp --------------------------------------------------------------------------

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

CWinApp* AfxGetApp() {
    return g_app;
}

int CWinApp::ExitInstance() {
    return m_nExitCode;
}

int RunApplication(CWinApp& app) {
    if (!app.InitInstance())
        return app.ExitInstance();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
