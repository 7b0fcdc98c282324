#pragma once
#include "platform/window/CWnd.h"

// A static control: a placeholder rectangle of a dialog that draws nothing and lets the
// mouse through to its parent.
class CStatic : public CWnd {
  public:
    BOOL OnEraseBkgnd(CDC* dc) override;
    int OnNcHitTest(CPoint screenPoint) override;
};
