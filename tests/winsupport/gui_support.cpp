#include "tests/winsupport/gui_support.h"

#include <commctrl.h>

#include <algorithm>

namespace winsupport {

namespace {

thread_local MessageBoxCatcher* t_catcher = nullptr;

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

UINT IconStyle(HICON icon) {
    struct Known {
        WORD id;  // of the system's shared icons: IDI_HAND, IDI_QUESTION, ...
        UINT style;
    };
    static const Known known[] = {{32513, MB_ICONHAND},
                                  {32514, MB_ICONQUESTION},
                                  {32515, MB_ICONEXCLAMATION},
                                  {32516, MB_ICONASTERISK}};
    for (const Known& k : known) {
        if (icon != nullptr && icon == LoadIconW(nullptr, MAKEINTRESOURCEW(k.id))) {
            return k.style;
        }
    }
    return 0;
}

UINT ButtonStyle(std::vector<int> ids) {
    std::sort(ids.begin(), ids.end());
    struct Known {
        std::vector<int> ids;
        UINT style;
    };
    static const Known known[] = {{{IDOK}, MB_OK},
                                  {{IDOK, IDCANCEL}, MB_OKCANCEL},
                                  {{IDABORT, IDRETRY, IDIGNORE}, MB_ABORTRETRYIGNORE},
                                  {{IDCANCEL, IDYES, IDNO}, MB_YESNOCANCEL},
                                  {{IDYES, IDNO}, MB_YESNO},
                                  {{IDCANCEL, IDRETRY}, MB_RETRYCANCEL}};
    for (const Known& k : known) {
        if (k.ids == ids) {
            return k.style;
        }
    }
    return 0xFFFFFFFFu;  // no standard set of buttons
}

// A message box is a dialog of the system's: its dialog procedure lies outside the test program,
// where the procedures of all the program's own dialogs are.
bool IsMessageBox(HWND window) {
    if (ClassName(window) != L"#32770") {
        return false;
    }
    const auto procedure = GetWindowLongPtrW(window, DWLP_DLGPROC);
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(procedure), &module);
    return module != GetModuleHandleW(nullptr);
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher(int answer)
    : m_answer(answer),
      m_hook(SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())),
      m_outer(t_catcher) {
    t_catcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() {
    t_catcher = m_outer;
    if (m_hook != nullptr) {
        UnhookWindowsHookEx(m_hook);
    }
}

LRESULT CALLBACK MessageBoxCatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_catcher != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        auto& answered = t_catcher->m_answered;
        if (IsMessageBox(window) &&
            std::find(answered.begin(), answered.end(), window) == answered.end()) {
            t_catcher->Catch(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs when the box is first activated, after its dialog initialisation has filled it in.
void MessageBoxCatcher::Catch(HWND box) {
    CaughtMessageBox caught{GetWindow(box, GW_OWNER), WindowText(box), L"", 0, 0, {}};
    GetWindowRect(box, &caught.frame);
    std::vector<int> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = ClassName(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (name == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            caught.icon =
                IconStyle(reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)));
        } else if (name == L"Static" && caught.text.empty()) {
            caught.text = WindowText(child);
        } else if (name == L"Button" && (style & WS_VISIBLE)) {
            buttons.push_back(GetDlgCtrlID(child));
        }
    }
    caught.buttons = ButtonStyle(buttons);
    m_boxes.push_back(caught);
    m_answered.push_back(box);
    // Answered before the box runs its message loop, so that it never dispatches what the
    // test has posted to its own windows.
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(m_answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, m_answer)));
}

void InitTestControls() {
    INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX),
        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&controls);
}

HWND CreateTestDialog(int templateId, DLGPROC procedure, LPARAM parameter) {
    InitTestControls();
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                     nullptr, procedure, parameter);
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_SHOW);
        SetActiveWindow(dialog);
        PumpMessages();
    }
    return dialog;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        std::max(GetWindowTextW(window, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

}  // namespace winsupport
