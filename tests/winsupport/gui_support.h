#pragma once
// Support for tests on real windows: a catcher that answers the message boxes the code under
// test opens, test dialogs made from the shared test template, and message pumping. All of it
// works on the calling thread only, so nothing waits for another thread or for time to pass.
#include <windows.h>

#include <string>
#include <vector>

namespace winsupport {

// What a test can see of a message box: its texts, and its style rebuilt from the buttons and
// the icon it shows (MB_OK, MB_YESNO, ... | MB_ICONEXCLAMATION, ...).
struct CaughtMessageBox {
    HWND owner;
    std::wstring title;
    std::wstring text;
    UINT buttons;  // MB_TYPEMASK part
    UINT icon;     // MB_ICONMASK part, 0 when it shows none
    RECT frame;    // on the screen, as the box opened
};

// While it lives, every message box that the calling thread opens is recorded and closed at
// once with the given answer (the box sees the button's command, as from a click), before it
// handles any other message. Dialogs of the test program itself are never taken for boxes.
class MessageBoxCatcher {
public:
    explicit MessageBoxCatcher(int answer = IDOK);
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtMessageBox>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void Catch(HWND box);

    int m_answer;
    HHOOK m_hook;
    std::vector<CaughtMessageBox> m_boxes;
    std::vector<HWND> m_answered;
    MessageBoxCatcher* m_outer;
};

// Registers the common control classes of the test template (list, date picker, IP address).
void InitTestControls();

// A modeless dialog from a template of the test executable, shown and active.
HWND CreateTestDialog(int templateId, DLGPROC procedure, LPARAM parameter);

// Dispatches every message waiting for the calling thread, then returns.
void PumpMessages();

std::wstring WindowText(HWND window);

}  // namespace winsupport
