#pragma once
#include <memory>
#include <string>

#include "platform/CDC.h"
#include "platform/CObject.h"
#include "platform/CRect.h"
#include "platform/WinTypes.h"

// A window: a rectangle on the screen with a parent, child controls addressed by id,
// an update region painted on WM_PAINT, timers and device contexts. Message handlers
// are virtual functions of the subclasses (dialogs, controls).
//
// The operations below are the ones the program's code relies on; the framework's
// implementation lives in src/platform and may add more.
class CWnd : public CObject {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    const char* GetRuntimeClassName() const override { return "CWnd"; }

    // Geometry. Client rectangles start at (0, 0); window rectangles are in screen
    // coordinates (windows have no frames, so client and window sizes agree).
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;
    void ScreenToClient(CRect* rect) const;
    void ClientToScreen(CPoint* point) const;
    void ClientToScreen(CRect* rect) const;
    // x and y are in the parent's client coordinates (screen coordinates for top-level windows).
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;

    // Controls and family.
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    int GetDlgCtrlID() const;

    // Painting: a device context clipped to the client area; release it when done.
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    void InvalidateRect(const CRect* rect, BOOL erase = TRUE);
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();

    // Timers post WM_TIMER to this window every `elapse` milliseconds.
    UINT SetTimer(UINT id, UINT elapse, void* callback = nullptr);
    BOOL KillTimer(UINT id);

protected:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Milliseconds since the program started (the backend's clock: real or virtual).
DWORD GetTickCount();
// Blocks for `ms` milliseconds (on the headless backend the virtual clock advances at once).
void Sleep(DWORD ms);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
