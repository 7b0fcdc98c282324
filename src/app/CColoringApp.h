#pragma once
#include "platform/window/CWinApp.h"

class CWnd;

// The application: refuses a second copy, covers the display with the black backdrop
// and runs the main screen on it until that screen ends.
class CColoringApp : public CWinApp {
  public:
    static constexpr const char* kGuardName = "PimblyGlim3DColoringBookSemaphore";

    // The program's whole life; always FALSE, so no further message loop runs.
    BOOL InitInstance() override;
    // Help has nothing to show: F1 does nothing.
    void WinHelp(DWORD data, UINT command) override;

    // Whether a second copy is refused (on by default; the scripted driver turns it off so
    // scripted runs do not block one another or a running program).
    void SetSingleInstance(bool on) { m_singleInstance = on; }

    // The system asks the program to stop: the main screen keeps the picture being
    // coloured and every screen ends (before the main screen exists, the program ends).
    void RequestQuit();

  private:
    void RunMainScreen(CWnd* backdrop);

    bool m_singleInstance = true;
};

extern CColoringApp theApp;
