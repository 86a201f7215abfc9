#include "app/tarvex_app.h"

#include "app/tarvex_dlg.h"
#include "base/cp1250.h"
#include "framework/message_box.h"

namespace {

constexpr Cp1250Literal kStartFailure{"Hlavní okno programu se nepodařilo otevřít."};

}  // namespace

BOOL CTarvexApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    SetRegistryKey("Local AppWizard-Generated Applications");

    CTarvexDlg dialog;
    RunMainDialog(dialog);
    // No message loop of our own: the dialog was the program.
    return FALSE;
}

void CTarvexApp::RunMainDialog(CDialog& dialog) {
    m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    const DWORD error = GetLastError();
    m_pMainWnd = nullptr;
    if (result != -1)
        return;
    const std::wstring text = ToWide(kStartFailure) + L"\n\n" + SystemErrorText(error);
    ShowMessageBox(nullptr, std::wstring_view(text), BoxTitle::kProgramFile, MB_OK | MB_ICONSTOP);
    m_nExitCode = 1;
}
