#include "framework/win_app.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

CWinApp* AfxGetApp() {
    return g_app;
}

int CWinApp::ExitInstance() {
    return m_nExitCode;
}

int RunApplication(CWinApp& app) {
    if (!app.InitInstance())
        return app.ExitInstance();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
