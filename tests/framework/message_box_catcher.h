#pragma once
// Answers the message boxes that the code under test shows on this thread: a CBT hook sees
// each box as it is activated, records its text, title and icon, and presses its first button.
#include <string>
#include <vector>

#include "framework/framework.h"

struct CaughtBox {
    std::wstring text;
    std::wstring title;
    HICON icon = nullptr;
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher() {
        s_current = this;
        m_hook = SetWindowsHookExW(WH_CBT, &MessageBoxCatcher::Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxCatcher() {
        UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    std::vector<CaughtBox> boxes;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && s_current != nullptr)
            s_current->Catch(reinterpret_cast<HWND>(wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static std::wstring TextOf(HWND hwnd) {
        wchar_t text[512] = {};
        GetWindowTextW(hwnd, text, 512);
        return text;
    }
    void Catch(HWND box) {
        wchar_t className[16] = {};
        GetClassNameW(box, className, 16);
        // Our own dialogs are dialog windows too, but always have an object.
        if (std::wstring(className) != L"#32770" || CWnd::FromHandlePermanent(box) != nullptr)
            return;
        CaughtBox caught;
        caught.title = TextOf(box);
        caught.text = TextOf(GetDlgItem(box, 0xFFFF));
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                caught.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            }
        }
        boxes.push_back(caught);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    HHOOK m_hook = nullptr;
    static inline MessageBoxCatcher* s_current = nullptr;
};
