#pragma once
#include <string>

// Shows a message to the user with the caption "Talewick" and an OK button; returns
// when the user has dismissed it.
class MessagePort {
  public:
    virtual ~MessagePort() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};
