#pragma once
#include "platform/base/InputEvent.h"
#include "platform/base/WinTypes.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;

// Where user input comes from.
class EventPort {
  public:
    virtual ~EventPort() = default;
    // Takes the next waiting input event; false when there is none.
    virtual bool PollEvent(InputEvent& event) = 0;
    // The message queue ran dry (a loop polled and found nothing to do).
    virtual void OnQueueEmpty() {}
    // Blocks until input may be waiting or `timeoutMs` passed. False when nothing can
    // ever arrive (no input source and no timeout): the caller ends its loops.
    virtual bool WaitEvent(DWORD timeoutMs) = 0;
    // The modifier keys held now (MK_SHIFT | MK_CONTROL).
    virtual UINT GetModifierState() { return 0; }
};
