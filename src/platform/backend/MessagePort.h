#pragma once
#include <string>

#include "platform/window/ChildMessage.h"

// Keeps a trace of every message the program gives the child: its kind and its caption.
// Showing it is the application's presenter's business.
class MessagePort {
  public:
    virtual ~MessagePort() = default;
    virtual void RecordMessage(ChildMessage kind, const std::string& caption) = 0;
};
