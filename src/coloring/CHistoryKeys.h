#pragma once
#include "platform/base/WinTypes.h"

// The keys that step through a picture's undo history: Ctrl+Z goes back, Ctrl+Y and
// Ctrl+Shift+Z go forward.
class CHistoryKeys {
  public:
    // `undo` or `redo` (the screen's commands) for a key pressed with the modifiers held,
    // or 0 when the key is no history key.
    static int CommandOf(UINT key, bool control, bool shift, int undo, int redo);
};
