#pragma once
// Windows with a message table per class: CWnd over an HWND, its routing of WM_COMMAND and
// WM_NOTIFY, and subclassed child controls that get their notifications reflected back from the
// parent.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

// Type identification: a class name and the record of the base class.
struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CWnd;

// One row of a message table. Reflected rows match a notification that the parent passes
// back to the control; the others match messages sent to the window itself.
enum class HandlerSig : unsigned char {
    Notify,         // bool (NMHDR*, LRESULT*): true when the notification is consumed
    Command,        // void (): a command or a message without arguments
    Key,            // void (UINT code, UINT repeat, UINT flags): WM_CHAR, WM_KEYDOWN
    DropFiles,      // void (HDROP)
    SysCommand,     // void (UINT id, LPARAM)
    QueryDragIcon,  // HCURSOR ()
};

union MessageHandler {
    bool (CWnd::*notify)(NMHDR*, LRESULT*);
    void (CWnd::*command)();
    void (CWnd::*key)(UINT, UINT, UINT);
    void (CWnd::*dropFiles)(HDROP);
    void (CWnd::*sysCommand)(UINT, LPARAM);
    HCURSOR (CWnd::*queryDragIcon)();
};

// Reflected messages are looked up under this offset, so that a control's table can tell
// its parent's WM_NOTIFY about it from a WM_NOTIFY sent to itself.
constexpr UINT kReflectBase = 0xBC00;

struct MessageMapEntry {
    UINT message;
    UINT code;  // notification code of WM_NOTIFY and WM_COMMAND rows
    UINT idFirst;
    UINT idLast;
    HandlerSig sig;
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
    size_t count;
};

// Row builders: each takes a member of the class that owns the table.
template <class T>
MessageMapEntry OnNotifyReflect(UINT code, bool (T::*fn)(NMHDR*, LRESULT*)) {
    MessageMapEntry e{kReflectBase + WM_NOTIFY, code, 0, 0xFFFF, HandlerSig::Notify, {}};
    e.handler.notify = static_cast<bool (CWnd::*)(NMHDR*, LRESULT*)>(fn);
    return e;
}
template <class T>
MessageMapEntry OnNotifyRange(UINT code, UINT idFirst, UINT idLast,
                              bool (T::*fn)(NMHDR*, LRESULT*)) {
    MessageMapEntry e{WM_NOTIFY, code, idFirst, idLast, HandlerSig::Notify, {}};
    e.handler.notify = static_cast<bool (CWnd::*)(NMHDR*, LRESULT*)>(fn);
    return e;
}
template <class T>
MessageMapEntry OnCommandReflect(UINT code, void (T::*fn)()) {
    MessageMapEntry e{kReflectBase + WM_COMMAND, code, 0, 0xFFFF, HandlerSig::Command, {}};
    e.handler.command = static_cast<void (CWnd::*)()>(fn);
    return e;
}
template <class T>
MessageMapEntry OnControl(UINT code, UINT id, void (T::*fn)()) {
    MessageMapEntry e{WM_COMMAND, code, id, id, HandlerSig::Command, {}};
    e.handler.command = static_cast<void (CWnd::*)()>(fn);
    return e;
}
template <class T>
MessageMapEntry OnMessage(UINT message, void (T::*fn)()) {
    MessageMapEntry e{message, 0, 0, 0, HandlerSig::Command, {}};
    e.handler.command = static_cast<void (CWnd::*)()>(fn);
    return e;
}
template <class T>
MessageMapEntry OnKeyMessage(UINT message, void (T::*fn)(UINT, UINT, UINT)) {
    MessageMapEntry e{message, 0, 0, 0, HandlerSig::Key, {}};
    e.handler.key = static_cast<void (CWnd::*)(UINT, UINT, UINT)>(fn);
    return e;
}
template <class T>
MessageMapEntry OnDropFilesMessage(void (T::*fn)(HDROP)) {
    MessageMapEntry e{WM_DROPFILES, 0, 0, 0, HandlerSig::DropFiles, {}};
    e.handler.dropFiles = static_cast<void (CWnd::*)(HDROP)>(fn);
    return e;
}
template <class T>
MessageMapEntry OnSysCommandMessage(void (T::*fn)(UINT, LPARAM)) {
    MessageMapEntry e{WM_SYSCOMMAND, 0, 0, 0, HandlerSig::SysCommand, {}};
    e.handler.sysCommand = static_cast<void (CWnd::*)(UINT, LPARAM)>(fn);
    return e;
}
template <class T>
MessageMapEntry OnQueryDragIconMessage(HCURSOR (T::*fn)()) {
    MessageMapEntry e{WM_QUERYDRAGICON, 0, 0, 0, HandlerSig::QueryDragIcon, {}};
    e.handler.queryDragIcon = static_cast<HCURSOR (CWnd::*)()>(fn);
    return e;
}

// A window object over an HWND. While attached, the window's messages run through
// WindowProc: the class's message table first, then the window's original procedure.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    static const CRuntimeClass classCWnd;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    static const MessageMap* ThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, CWnd* parent);
    HWND UnsubclassWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const;
    BOOL EnableWindow(BOOL enable);
    void SetWindowText(std::string_view cp1250);
    std::string GetWindowText() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Routing, each overridable: WM_COMMAND, WM_NOTIFY and every message.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification of this control that its parent passes back; true when consumed.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The tool under a client point for tool tips: its id, or -1 for none.
    virtual INT_PTR OnToolHitTest(POINT point, TTTOOLINFOW* info) const;

    HWND m_hWnd = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The original handling of the message being processed.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchEntry(const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam, LRESULT* result);
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;

    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg{};
};
