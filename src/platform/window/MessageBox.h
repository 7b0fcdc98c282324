#pragma once
#include <functional>
#include <string>

// The program's message box: a fixed English text with the caption "Talewick" and an OK
// button. Where it appears is the backend's business; until one installs its handler the
// text goes to standard error. Returns IDOK.
int AfxMessageBox(const std::string& text);

using MessageBoxHandler = std::function<void(const std::string& text)>;
// Installs the handler that shows (or records) message boxes; returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
