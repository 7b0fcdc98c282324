#include "platform/backend/Backend.h"

#include "platform/backend/headless/HeadlessBackend.h"

namespace {

Backend* g_backend = nullptr;
HCURSOR g_cursor = nullptr;

HeadlessBackend& DefaultBackend() {
    static HeadlessBackend backend;
    return backend;
}

CursorImage MakeSystemCursor(int id, const char* label) {
    CursorImage image;
    image.systemId = id;
    image.label = label;
    return image;
}

}  // namespace

Backend* SetBackend(Backend* backend) {
    Backend* previous = g_backend;
    g_backend = backend;
    g_cursor = nullptr;
    return previous;
}

Backend& GetBackend() {
    return g_backend != nullptr ? *g_backend : DefaultBackend();
}

HCURSOR LoadSystemCursor(int id) {
    static const CursorImage arrow = MakeSystemCursor(IDC_ARROW, "arrow");
    static const CursorImage wait = MakeSystemCursor(IDC_WAIT, "wait");
    switch (id) {
        case IDC_ARROW:
            return &arrow;
        case IDC_WAIT:
            return &wait;
        default:
            return nullptr;
    }
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = g_cursor;
    if (cursor != g_cursor) {
        g_cursor = cursor;
        GetBackend().ShowCursor(cursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    return g_cursor;
}

BOOL GetCursorPos(CPoint* point) {
    if (point == nullptr) return FALSE;
    *point = GetBackend().GetCursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    GetBackend().SetCursorPos(CPoint(x, y));
    return TRUE;
}

void ReleaseCursor(HCURSOR cursor) {
    if (cursor == nullptr || cursor->systemId != 0) return;
    if (g_cursor == cursor) SetCursor(LoadSystemCursor(IDC_ARROW));
    GetBackend().ForgetCursor(cursor);
}
