#pragma once
#include "platform/draw/CWindowDC.h"

// A device context on a window's whole client area, for drawing outside WM_PAINT.
class CClientDC : public CWindowDC {
  public:
    explicit CClientDC(CWnd* wnd) : CWindowDC(wnd, std::nullopt) {}
};
