#include "dialogfw/my_cdialog.h"

MyCDialog::MyCDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

MyCDialog::~MyCDialog() = default;

// The caption serves this run only: a later plain DoModal keeps the template's caption and
// never reads a text that may be gone.
INT_PTR MyCDialog::DoModal(const char* caption) {
    m_caption = caption;
    const INT_PTR result = CDialog::DoModal();
    m_caption = nullptr;
    return result;
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
    // Items cannot be counted in a record that is not there.
    if (lParam >= 0 && lParam <= kUserRecordMaxItems && (record != nullptr || lParam == 0)) {
        setCount = 0;
        for (int32_t i = 0; i < itemCount; ++i) {
            if (record[kUserRecordItemsOffset + i * kUserRecordItemSize] != 0)
                ++setCount;
        }
    }
    OnUserMessage2100(record, itemCount, setCount);
}

BOOL MyCDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == kUserMessage2100) {
        HandleUserMessage2100(wParam, lParam);
        return TRUE;
    }
    struct Pending {
        UINT message;
        int32_t MyCDialog::*flag;
        void (MyCDialog::*handler)(WPARAM, LPARAM);
    };
    static constexpr Pending kPending[] = {
        {kUserMessage2101, &MyCDialog::m_pending2101, &MyCDialog::OnUserMessage2101},
        {kUserMessage2102, &MyCDialog::m_pending2102, &MyCDialog::OnUserMessage2102},
        {kUserMessage2103, &MyCDialog::m_pending2103, &MyCDialog::OnUserMessage2103},
    };
    for (const Pending& pending : kPending) {
        // Only a flag of exactly 1 expects the message; any other goes the ordinary way.
        if (message == pending.message && this->*pending.flag == 1) {
            this->*pending.flag = 0;
            (this->*pending.handler)(wParam, lParam);
            return TRUE;
        }
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
