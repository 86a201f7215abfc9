#include "framework/wnd.h"

#include <exception>

#include "framework/message_box.h"
#include "framework/win_text.h"

namespace {

// The window property that leads from an HWND to its object.
constexpr wchar_t kObjectProperty[] = L"KvimeterCWnd";

}  // namespace

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base)
            return true;
    }
    return false;
}

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
