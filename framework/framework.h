#pragma once
// Our small application layer over the Win32 W API: windows with a message table per class,
// subclassed child controls that get their notifications reflected back from the parent,
// modal dialogs from a template, the list view operations we use, fonts and the wait cursor.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

// Text crosses into the window as UTF-16 and comes back as Windows-1250, never through the
// system's ANSI code page.
std::wstring ToWide(std::string_view cp1250);
std::string ToCp1250(std::wstring_view text);
// A window's whole text as the window holds it.
std::wstring WindowText(HWND window);

// The program file's name without its extension: the title of the program's message boxes.
std::wstring ApplicationName();

// The system's text for an error code (GetLastError), with the code.
std::wstring SystemErrorText(DWORD error);

// An error that ended a message handler: a message box with the stop icon, titled with the
// application's name. Handlers report by throwing; the window procedure catches and calls this.
void ReportHandlerError(HWND owner, std::string_view cp1250);

// A programmer's error caught where it is made (a control that could not be attached, a binding
// refused): thrown, so that the handler it happens in ends and reports it, in every build.
void VerifyInvariant(bool holds, const char* what);

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

// What DoDataExchange is asked to do: fill the controls (false) or read them (true).
struct CDataExchange {
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches `control` to the dialog's item `id` by subclassing it, once.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// A modal dialog from a template resource of the program file.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    static const CRuntimeClass classCDialog;
    const CRuntimeClass* GetRuntimeClass() const override;
    static const MessageMap* ThisMessageMap();
    const MessageMap* GetMessageMap() const override;

    virtual INT_PTR DoModal();
    // Fills the controls' initial list items from the template's item resource, then
    // exchanges the dialog data into the controls.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND ModalOwner() const;
    void ExecuteDlgInit();
    void CenterIfUnplaced();
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    UINT m_templateId;
    CWnd* m_pParentWnd;
};

// The list view operations the program uses; texts are Windows-1250.
class CListCtrl : public CWnd {
public:
    static const CRuntimeClass classCListCtrl;
    const CRuntimeClass* GetRuntimeClass() const override;

    DWORD SetExtendedStyle(DWORD exStyle);
    int InsertColumn(int column, std::string_view heading, int format, int width);
    BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL);
    int GetItemCount() const;
    int GetNextItem(int start, int flags) const;
    UINT GetItemState(int row, UINT mask) const;
    BOOL SetItemState(int row, UINT state, UINT mask);
    BOOL GetSubItemRect(int row, int column, int area, RECT& rect) const;
    std::wstring GetItemText(int row, int column) const;
};

class CFont {
public:
    CFont() = default;
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    BOOL CreateFontIndirect(const LOGFONTW& font);
    BOOL DeleteObject();
    HFONT GetSafeHandle() const { return m_hObject; }
    operator HFONT() const { return m_hObject; }

    HFONT m_hObject = nullptr;
};

// The hourglass while an object lives; the cursor before it comes back afterwards.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

// The application object: one per program, run by RunApplication from WinMain.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // False ends the program at once, without a message loop, with ExitInstance's status.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The profile key name; the program keeps it and stores nothing under it.
    void SetRegistryKey(const char* key) { m_pszRegistryKey = key; }
    // The help command's default handling: the program has no help content, so nothing is shown.
    virtual void OnHelp() {}

    CWnd* m_pMainWnd = nullptr;
    const char* m_pszRegistryKey = nullptr;
    int m_nExitCode = 0;  // the process's status when no message loop runs
};

CWinApp* AfxGetApp();
// InitInstance, then the message loop when it returned true; the process's exit code.
int RunApplication(CWinApp& app);
