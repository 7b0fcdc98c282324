#pragma once
#include "platform/draw/CWindowDC.h"
#include "platform/base/WinUser.h"

// The device context of a WM_PAINT handler: it covers the window's update rectangle
// (m_ps.rcPaint), erases it first when asked to, and marks it painted.
class CPaintDC : public CWindowDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps;
};
