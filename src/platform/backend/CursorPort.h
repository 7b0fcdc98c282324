#pragma once
#include "platform/backend/CursorImage.h"

// The mouse pointer: its shape and position (display coordinates).
class CursorPort {
  public:
    virtual ~CursorPort() = default;
    // Shows `cursor` (null: no pointer). Only called when the shape changes.
    virtual void ShowCursor(HCURSOR cursor) = 0;
    // The shape will be destroyed: drop anything made from it.
    virtual void ForgetCursor(HCURSOR /*cursor*/) {}
    // The framework took a mouse event at `point` from the input.
    virtual void OnPointerMoved(CPoint /*point*/) {}
    virtual CPoint GetCursorPos() = 0;
    virtual void SetCursorPos(CPoint point) = 0;
};
