#pragma once
#include <string>

#include "platform/window/MessageBox.h"

// Shows every message to the child as a picture message over the active screen while it
// lives, and puts the presenter before it back when it goes. A message raised while one is
// on show (its own picture failing to load, say) is only recorded, so messages never stack.
class CMessagePresenter {
  public:
    CMessagePresenter();
    ~CMessagePresenter();
    CMessagePresenter(const CMessagePresenter&) = delete;
    CMessagePresenter& operator=(const CMessagePresenter&) = delete;

    // Runs the picture message for `kind` modally; returns once the child closed it.
    void Present(ChildMessage kind, const std::string& caption);

  private:
    MessageBoxHandler m_previous;
    bool m_showing = false;
};
