#pragma once
#include <string>

#include "platform/window/CWnd.h"

// A push button. Pressing the left button over it captures the mouse and shows it
// pressed while the pointer stays over it; releasing over it sends WM_COMMAND
// (BN_CLICKED) to the parent. An owner-drawn button (BS_OWNERDRAW) is drawn by its
// parent's WM_DRAWITEM, with ODS_SELECTED while pressed and ODS_DISABLED while disabled;
// the parent's default handling passes the drawing on to DrawItem.
class CButton : public CWnd {
  public:

    BOOL Create(const std::string& text, DWORD style, const CRect& rect, CWnd* parent, UINT id);
    bool IsPressed() const { return m_pressed; }

    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnEnable(BOOL enable) override;

  private:
    void SetPressed(bool pressed);

    bool m_tracking = false;
    bool m_pressed = false;
};
