#include "dialogfw/my_cdialog.h"

MyCDialog::MyCDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

MyCDialog::~MyCDialog() = default;

INT_PTR MyCDialog::DoModal(const char* caption) {
    m_caption = caption;
    return CDialog::DoModal();
}

BOOL MyCDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_owner = m_hWnd;
    if (m_caption != nullptr)
        SetWindowText(m_caption);
    return TRUE;
}

void MyCDialog::LockControls(bool lock) {
    SetBindingsLocked(m_hWnd, lock);
}

void MyCDialog::OnUserMessage2100(void*, int32_t, int32_t) {}
void MyCDialog::OnUserMessage2101(WPARAM, LPARAM) {}
void MyCDialog::OnUserMessage2102(WPARAM, LPARAM) {}
void MyCDialog::OnUserMessage2103(WPARAM, LPARAM) {}

bool MyCDialog::RedirectEnter(int focusId, HWND target, uint32_t message) {
    HWND focus = GetDlgItem(focusId);
    return focus != nullptr && AddEnterRedirect(focus, target, message);
}

void MyCDialog::EnableControlRange(int firstId, int lastId, bool enable) {
    for (HWND control = GetDlgItem(firstId); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        ::EnableWindow(control, enable);
        if (GetDlgCtrlID(control) == lastId)
            break;
    }
}

bool MyCDialog::HandleEnter() {
    HWND focus = GetFocus();
    if (focus == nullptr)
        return false;
    for (int32_t row = 0; row < RedirectCount(); ++row) {
        const EnterRedirect& redirect = Redirect(row);
        if (redirect.focus != focus)
            continue;
        if (redirect.message != 0)
            PostMessageW(redirect.target, redirect.message, 0, 0);
        return true;
    }
    if (m_enterToNext && GetDlgCtrlID(focus) != IDOK) {
        SendMessage(WM_NEXTDLGCTL, 0, 0);
        return true;
    }
    return false;
}

BOOL MyCDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDOK && HandleEnter())
        return FALSE;
    if (wParam == IDCANCEL && m_ignoreCancel)
        return FALSE;
    // The bound variable is current before any handler of the dialog sees the command.
    if (lParam != 0) {
        OnControlCommand(reinterpret_cast<HWND>(lParam), static_cast<uint32_t>(wParam));
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL MyCDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (lParam == 0)
        return FALSE;
    OnControlNotify(static_cast<uint32_t>(wParam), reinterpret_cast<const NMHDR*>(lParam));
    return CDialog::OnNotify(wParam, lParam, result);
}

void MyCDialog::HandleUserMessage2100(WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<unsigned char*>(wParam);
    const auto itemCount = static_cast<int32_t>(lParam);
    int32_t setCount = -1;
    // A record that is not there has no items to count.
    if (record != nullptr && lParam >= 0 && lParam <= kUserRecordMaxItems) {
        setCount = 0;
        for (int32_t i = 0; i < itemCount; ++i) {
            if (record[kUserRecordItemsOffset + i * kUserRecordItemSize] != 0)
                ++setCount;
        }
    }
    OnUserMessage2100(record, itemCount, setCount);
}

BOOL MyCDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case kUserMessage2100:
            HandleUserMessage2100(wParam, lParam);
            return TRUE;
        case kUserMessage2101:
            if (m_pending2101 != 1)
                break;
            m_pending2101 = 0;
            OnUserMessage2101(wParam, lParam);
            return TRUE;
        case kUserMessage2102:
            if (m_pending2102 != 1)
                break;
            m_pending2102 = 0;
            OnUserMessage2102(wParam, lParam);
            return TRUE;
        case kUserMessage2103:
            if (m_pending2103 != 1)
                break;
            m_pending2103 = 0;
            OnUserMessage2103(wParam, lParam);
            return TRUE;
        default:
            break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
