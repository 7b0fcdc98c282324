#include "app/CColoringApp.h"

#include <optional>
#include <random>

#include "app/CBackdropWnd.h"
#include "app/CInstanceGuard.h"
#include "app/CMessagePresenter.h"
#include "coloring/CColoringDlg.h"
#include "platform/draw/CClientDC.h"
#include "platform/window/MessageLoop.h"

// The screen the program runs on the backdrop.
using MainScreen = CColoringDlg;

CColoringApp theApp;

BOOL CColoringApp::InitInstance() {
    std::optional<CInstanceGuard> guard;
    if (m_singleInstance) {
        guard.emplace(kGuardName);
        // Another copy holds the lock: end silently, before any window exists.
        if (!guard->Lock()) return FALSE;
    }
    Enable3dControls();
    const CMessagePresenter messages;
    CBackdropWnd backdrop;
    {
        CClientDC screen(&backdrop);
        const int width = screen.GetDeviceCaps(HORZRES);
        const int height = screen.GetDeviceCaps(VERTRES);
        backdrop.ShowWindow(SW_HIDE);
        backdrop.MoveWindow(0, 0, width, height, TRUE);
        backdrop.InvalidateRect(nullptr, TRUE);
        backdrop.ShowWindow(SW_SHOW);
        backdrop.UpdateWindow();
    }
    RunMainScreen(&backdrop);
    backdrop.DestroyWindow();
    return FALSE;
}

void CColoringApp::RunMainScreen(CWnd* backdrop) {
    MainScreen screen(backdrop, m_fillSoundSeed.value_or(std::random_device{}()));
    screen.SetPreferences(&m_preferences);
    m_pMainWnd = &screen;
    screen.DoModal();
    m_pMainWnd = nullptr;
}

void CColoringApp::RequestQuit() {
    if (m_pMainWnd != nullptr && m_pMainWnd->PostMessage(WM_ENDSESSION, TRUE, 0)) return;
    PostQuitMessage(0);
}
