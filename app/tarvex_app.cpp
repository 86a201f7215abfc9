#include "app/tarvex_app.h"

#include "app/tarvex_dlg.h"

BOOL CTarvexApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    SetRegistryKey("Local AppWizard-Generated Applications");

    CTarvexDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of our own: the dialog was the program.
    return FALSE;
}
