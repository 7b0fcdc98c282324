#include "app/CColoringApp.h"

#include <optional>
#include <random>

#include "app/CBackdropWnd.h"
#include "app/CInstanceDoorbell.h"
#include "app/CInstanceGuard.h"
#include "app/CMessagePresenter.h"
#include "app/CStartMark.h"
#include "coloring/CColoringDlg.h"
#include "models/CSettings.h"
#include "platform/backend/Backend.h"
#include "platform/draw/CClientDC.h"
#include "platform/window/MessageLoop.h"

// The screen the program runs on the backdrop.
using MainScreen = CColoringDlg;

CColoringApp theApp;

BOOL CColoringApp::InitInstance() {
    std::optional<CInstanceGuard> guard;
    std::optional<CInstanceDoorbell> doorbell;
    if (m_singleInstance) {
        guard.emplace(kGuardName);
        doorbell.emplace(guard->GetPath() + kDoorbellSuffix);
        // Another copy holds the lock: it is asked to come forward and this one ends
        // before any window exists.
        if (!guard->Lock()) {
            CInstanceDoorbell::Ring(guard->GetPath() + kDoorbellSuffix);
            return FALSE;
        }
        Backend& backend = GetBackend();
        doorbell->Listen([&backend] { backend.Raise(); });
    }
    m_preferences.Keep(m_settings);
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
    PrepareStartup(screen.GetStartup());
    m_pMainWnd = &screen;
    screen.DoModal();
    m_pMainWnd = nullptr;
}

// The whole start-up plays once; after that a click or a key skips it, and a grown-up may
// make every start short.
void CColoringApp::PrepareStartup(CStartupSequence& startup) {
    const CStartMark mark(m_startMarkPath);
    startup.SetSkippable(mark.IsSet());
    startup.SetShort(m_settings != nullptr && m_settings->IsShortStart());
    startup.SetFinishedHandler([path = m_startMarkPath] { CStartMark(path).Set(); });
}

void CColoringApp::RequestQuit() {
    if (m_pMainWnd != nullptr && m_pMainWnd->PostMessage(WM_ENDSESSION, TRUE, 0)) return;
    PostQuitMessage(0);
}
