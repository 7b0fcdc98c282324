#include "platform/window/CWinApp.h"

#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() {
    g_app = this;
    WindowManager::Instance().SetHelpHandler([this] { OnHelp(); });
}

CWinApp::~CWinApp() {
    if (g_app != this) return;
    g_app = nullptr;
    WindowManager::Instance().SetHelpHandler(nullptr);
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
