#pragma once
#include "platform/backend/ClockPort.h"
#include "platform/backend/CursorPort.h"
#include "platform/backend/DisplayPort.h"
#include "platform/backend/EventPort.h"
#include "platform/backend/MessagePort.h"

// Everything the window framework needs from the machine, split by concern. The real
// program runs on the SDL backend; tests and the scripted driver on the headless one.
class Backend : public DisplayPort,
                public EventPort,
                public ClockPort,
                public CursorPort,
                public MessagePort {
  public:
    ~Backend() override = default;
};

// Installs the backend the framework uses from now on (null: back to the built-in
// headless one), which also records the messages. Returns the backend installed before.
// The caller owns the backend and uninstalls it before destroying it.
Backend* SetBackend(Backend* backend);
// The backend in use; a default headless one when none was installed.
Backend& GetBackend();
