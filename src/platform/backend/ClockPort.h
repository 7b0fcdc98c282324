#pragma once
#include "platform/base/WinTypes.h"

// Time in milliseconds since the backend started.
class ClockPort {
  public:
    virtual ~ClockPort() = default;
    // The time as the framework sees it (timers, message times).
    virtual DWORD Now() = 0;
    // The time as the program reads it with GetTickCount.
    virtual DWORD ReadTickCount() { return Now(); }
    // Blocks for `ms` milliseconds without handling any messages.
    virtual void Sleep(DWORD ms) = 0;
};
