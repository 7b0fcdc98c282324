#include "platform/window/MessageBox.h"

#include <cstdio>
#include <utility>

#include "platform/base/WinTypes.h"

namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

int AfxMessageBox(const std::string& text) {
    if (Handler()) {
        Handler()(text);
    } else {
        std::fprintf(stderr, "Talewick: %s\n", text.c_str());
    }
    return IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}
