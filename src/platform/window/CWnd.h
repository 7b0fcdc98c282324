#pragma once
#include <memory>
#include <string>

#include "platform/base/CObject.h"
#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"
#include "platform/base/WinUser.h"
#include "platform/draw/CDC.h"

// A window: a rectangle on the screen with a parent, child controls addressed by id,
// an update region painted on WM_PAINT, timers and device contexts. Message handlers
// are virtual functions of the subclasses (dialogs, controls); calling the base class's
// handler is the default processing.
//
// Top-level windows (WS_POPUP) lie on the display in screen coordinates, in a stacking
// order; their parent is their owner. Child windows (WS_CHILD) lie in their parent's
// client area and are drawn after it.
class CWnd : public CObject {
  public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Creates the window. `rect` is in the parent's client coordinates for WS_CHILD, in
    // screen coordinates otherwise. Visible at once with WS_VISIBLE.
    BOOL CreateEx(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // Destroys the window and its children (the objects stay); timers die with it.
    virtual BOOL DestroyWindow();
    // This window while it exists, else null.
    HWND GetSafeHwnd() const;
    DWORD GetStyle() const;

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
    BOOL IsIconic() const { return FALSE; }
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;

    // Controls and family.
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    int GetDlgCtrlID() const;
    void SetDlgCtrlID(int id);
    CWnd* GetTopLevelParent() const;
    // Makes `control` the window of child `id`: it takes over the child's place, id,
    // visibility and state, and the child's former object lets go of it.
    BOOL SubclassDlgItem(int id, CWnd* control);

    // Painting: a device context clipped to the client area; release it when done.
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    void InvalidateRect(const CRect* rect, BOOL erase = TRUE);
    void Invalidate(BOOL erase = TRUE);
    void ValidateRect(const CRect* rect);
    // The bounding rectangle of what needs painting; FALSE when nothing does.
    BOOL GetUpdateRect(CRect* rect, BOOL erase = FALSE) const;
    // Paints the window now (and its children) when anything needs painting.
    void UpdateWindow();

    // Timers post WM_TIMER to this window every `elapse` milliseconds.
    UINT SetTimer(UINT id, UINT elapse, void* callback = nullptr);
    BOOL KillTimer(UINT id);

    // Messages: Send runs the handler now and returns its result; Post queues it.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Routes a message to its handler; subclasses may intercept any message here.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Mouse capture: all mouse input goes to this window until ReleaseCapture().
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // The window's part of the device-context machinery (used by CPaintDC).
    void BeginPaint(PAINTSTRUCT* paint);
    void EndPaint(const PAINTSTRUCT* paint);

    // Message handlers. The base versions are the default processing.
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnPaint();
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnTimer(UINT id);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnClose();
    virtual void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual BOOL OnQueryNewPalette();
    virtual void OnPaletteChanged(CWnd* focusWnd);
    virtual void OnWindowPosChanging(WINDOWPOS* pos);
    virtual void OnEnable(BOOL enable);
    virtual void OnDestroy();
    // Where `screenPoint` lies: HTCLIENT, or HTTRANSPARENT to let the parent have the mouse.
    virtual int OnNcHitTest(CPoint screenPoint);
    // Owner drawing of a control, routed from its parent's WM_DRAWITEM.
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);

    struct Impl;
    Impl& GetImpl() const { return *m_impl; }

  protected:
    std::unique_ptr<Impl> m_impl;

  private:
    // Hands a mouse move or button message to its handler; false for any other message.
    bool RouteMouseButton(UINT message, WPARAM wParam, LPARAM lParam);
};

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
