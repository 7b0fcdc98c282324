#pragma once
#include "platform/base/CObject.h"
#include "platform/backend/CursorImage.h"
#include "platform/base/WinTypes.h"

class CWnd;

// The application: one per program. AfxWinMain runs InitInstance; when it returns TRUE
// the application's own message loop (Run) goes on until WM_QUIT.
class CWinApp : public CObject {
  public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    // Help: F1 reaches OnHelp, which asks WinHelp; there is no help system behind it.
    virtual void WinHelp(DWORD data, UINT command);
    void OnHelp();
    void Enable3dControls() {}

    // The wait cursor over everything until EndWaitCursor.
    void BeginWaitCursor();
    void EndWaitCursor();

    CWnd* m_pMainWnd = nullptr;

  private:
    HCURSOR m_cursorBeforeWait = nullptr;
    int m_waitDepth = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Runs the application object: the program's whole life. Returns the exit status.
int AfxWinMain(CWinApp& app);
