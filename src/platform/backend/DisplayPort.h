#pragma once
#include "platform/draw/CSurface.h"

// The display: a framebuffer the windows draw into, shown on demand.
class DisplayPort {
  public:
    virtual ~DisplayPort() = default;
    // The framebuffer; its size is the display size (HORZRES, VERTRES).
    virtual CSurface& Surface() = 0;
    // Makes what was drawn visible.
    virtual void Present() = 0;
};
