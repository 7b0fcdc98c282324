#include "platform/window/MessageBox.h"

#include <utility>

#include "platform/backend/Backend.h"
#include "platform/base/WinTypes.h"
#include "platform/files/CContentReport.h"

namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

int AfxMessageBox(ChildMessage kind, const std::string& caption, const std::string& path,
                  const std::string& reason) {
    if (!path.empty()) CContentReport::Report(path, reason.empty() ? caption : reason);
    GetBackend().RecordMessage(kind, caption);
    // A copy: the presenter may run a dialog that installs a presenter of its own.
    const MessageBoxHandler present = Handler();
    if (present) present(kind, caption);
    return IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}
