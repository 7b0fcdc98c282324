#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <unordered_set>
#include <vector>

#include "platform/base/InputEvent.h"
#include "platform/window/CWnd.h"

// The bookkeeping of the program's windows on its one thread: which windows exist,
// the stacking order of the top-level ones, the active window and mouse capture, the
// posted-message queue, the timers, and the routing of backend input to windows.
class WindowManager {
  public:
    static WindowManager& Instance();

    void Register(CWnd* wnd);
    void Unregister(CWnd* wnd);
    bool IsLive(const CWnd* wnd) const { return wnd != nullptr && m_live.count(wnd) != 0; }

    // Top-level windows, bottom first.
    const std::vector<CWnd*>& TopLevels() const { return m_topLevels; }
    void BringToTop(CWnd* wnd);
    void Activate(CWnd* wnd);
    CWnd* Active() const { return m_active; }
    CWnd* Capture() const { return m_capture; }
    void SetCapture(CWnd* wnd) { m_capture = wnd; }

    void Post(const MSG& msg);
    bool Peek(MSG* msg, HWND window, UINT first, UINT last, UINT remove);
    void Wait();

    UINT SetTimer(CWnd* wnd, UINT id, UINT elapse);
    BOOL KillTimer(CWnd* wnd, UINT id);

    // A window drew onto the display at `screenRect`: windows stacked above it that
    // overlap are repainted there, and the display is presented when the loop idles.
    void NoteDrawn(CWnd* wnd, const CRect& screenRect);
    void PresentIfDirty();
    void BroadcastPaletteChanged(CWnd* changer);

    CWnd* WindowFromPoint(CPoint screenPoint) const;
    // The modifier keys (MK_SHIFT | MK_CONTROL) held with the input taken last.
    UINT KeyState() const { return m_keyState; }
    // Where F1 help goes: the application registers itself here, so windows need not know it.
    void SetHelpHandler(std::function<void()> handler) { m_helpHandler = std::move(handler); }
    // Runs the help handler; false when there is none.
    bool RequestHelp() const;
    // Drops every window, message and timer (a fresh start for tests).
    void Reset();

  private:
    struct Timer {
        CWnd* wnd;
        UINT id;
        DWORD elapse;
        DWORD due;
        std::uint64_t order;
    };

    void PullInput();
    // Input waits as it came and finds its window only when taken, so that a capture or
    // a window opened by earlier input counts.
    bool TakeInput(MSG* msg, UINT first, UINT last, UINT remove);
    bool RouteInput(const InputEvent& event, MSG* msg);
    bool RouteMouse(const InputEvent& event, MSG* msg);
    bool TakePosted(MSG* msg, HWND window, UINT first, UINT last, UINT remove);
    bool TakePaint(MSG* msg, HWND window, UINT first, UINT last);
    bool TakeTimer(MSG* msg, HWND window, UINT first, UINT last, UINT remove);
    CWnd* FindPaintable(CWnd* wnd) const;
    CWnd* ChildFromPoint(CWnd* wnd, CPoint screenPoint) const;
    void ActivateTopmost();
    DWORD NextTimerWait() const;

    std::unordered_set<const CWnd*> m_live;
    std::vector<CWnd*> m_topLevels;
    CWnd* m_active = nullptr;
    CWnd* m_capture = nullptr;
    std::deque<MSG> m_posted;
    std::deque<InputEvent> m_input;
    std::vector<Timer> m_timers;
    std::uint64_t m_timerOrder = 0;
    UINT m_buttons = 0;  // MK_ flags of the mouse buttons held
    UINT m_keyState = 0;
    bool m_dirty = false;
    std::function<void()> m_helpHandler;
};

// Helpers over window state shared by the framework's classes.
CPoint ScreenOrigin(const CWnd* wnd);
// The part of the display where the window's client area can be seen (screen coordinates).
CRect VisibleScreenRect(const CWnd* wnd);
