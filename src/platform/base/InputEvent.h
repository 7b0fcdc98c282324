#pragma once
#include "platform/base/CPoint.h"
#include "platform/base/WinTypes.h"

// One piece of user input as a backend delivers it, in display coordinates.
struct InputEvent {
    enum class Kind { MouseMove, ButtonDown, ButtonUp, KeyDown, Close };
    enum class Button { Left, Right };

    Kind kind = Kind::MouseMove;
    CPoint point;                  // mouse events
    Button button = Button::Left;  // ButtonDown and ButtonUp
    UINT key = 0;                  // KeyDown: a virtual key (VK_RETURN, 'A', ...)
    UINT modifiers = 0;            // MK_SHIFT | MK_CONTROL held when the input came
};
