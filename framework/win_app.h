#pragma once
// The application object and the program's message loop.
#include <windows.h>

class CWnd;

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
