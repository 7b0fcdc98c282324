#include "platform/window/CWinApp.h"

#include "platform/window/CWnd.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}
void CWinApp::WinHelp(DWORD, UINT) {}
void CWinApp::OnHelp() {
    WinHelp(0, 0);
}

void CWinApp::BeginWaitCursor() {
    if (m_waitDepth++ == 0) m_cursorBeforeWait = ::SetCursor(LoadSystemCursor(IDC_WAIT));
}

void CWinApp::EndWaitCursor() {
    if (m_waitDepth == 0) return;
    if (--m_waitDepth == 0) ::SetCursor(m_cursorBeforeWait);
}

CWinApp* AfxGetApp() {
    return g_app;
}
CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

int AfxWinMain(CWinApp& app) {
    if (!app.InitInstance()) return app.ExitInstance();
    return app.Run();
}
