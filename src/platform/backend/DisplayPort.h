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
    // Asks for the window to come in front of the others with the keyboard focus (restored
    // when minimised). Safe from any thread: the window comes forward from the event loop.
    virtual void Raise() {}
};
