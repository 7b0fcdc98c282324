#pragma once
#include <functional>
#include <string>

#include "platform/window/ChildMessage.h"

// The program's message to the child: a kind (which picture and voice) and the English
// caption for grown-ups. When `path` is given, the technical details (the file and what is
// wrong with it, `reason` or else the caption) go to the content report (standard error and
// the log), never to the screen. The backend records or logs every message; the
// presenter the application installs shows it and returns once the child dismissed it.
// Returns IDOK.
int AfxMessageBox(ChildMessage kind, const std::string& caption, const std::string& path = {},
                  const std::string& reason = {});

using MessageBoxHandler = std::function<void(ChildMessage kind, const std::string& caption)>;
// Installs the presenter of messages; returns the previous one. Without one a message is
// only recorded by the backend.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
