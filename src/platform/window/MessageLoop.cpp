#include "platform/window/MessageLoop.h"

#include "platform/backend/Backend.h"
#include "platform/window/WindowManager.h"

DWORD GetTickCount() {
    return GetBackend().ReadTickCount();
}
void Sleep(DWORD ms) {
    GetBackend().Sleep(ms);
}

namespace {

SHORT KeyDownIn(UINT modifiers, int virtualKey) {
    UINT flag = 0;
    if (virtualKey == static_cast<int>(VK_SHIFT)) flag = MK_SHIFT;
    if (virtualKey == static_cast<int>(VK_CONTROL)) flag = MK_CONTROL;
    return (modifiers & flag) != 0 ? static_cast<SHORT>(0x8000) : SHORT{0};
}

}  // namespace

SHORT GetKeyState(int virtualKey) {
    return KeyDownIn(WindowManager::Instance().KeyState(), virtualKey);
}
SHORT GetAsyncKeyState(int virtualKey) {
    return KeyDownIn(GetBackend().GetModifierState(), virtualKey);
}

BOOL PeekMessage(MSG* msg, HWND window, UINT first, UINT last, UINT remove) {
    return WindowManager::Instance().Peek(msg, window, first, last, remove) ? TRUE : FALSE;
}

BOOL GetMessage(MSG* msg, HWND window, UINT first, UINT last) {
    while (!PeekMessage(msg, window, first, last, PM_REMOVE)) WaitMessage();
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
    auto& manager = WindowManager::Instance();
    CWnd* wnd = msg->hwnd;
    if (!manager.IsLive(wnd)) return 0;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    if (mouse && manager.Capture() == nullptr) {
        wnd->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd),
                         MAKELPARAM(HTCLIENT, msg->message));
        if (!manager.IsLive(wnd)) return 0;
    }
    const LRESULT result = wnd->SendMessage(msg->message, msg->wParam, msg->lParam);
    // A paint handler that left its area invalid would be asked again forever.
    if (msg->message == WM_PAINT && manager.IsLive(wnd)) wnd->ValidateRect(nullptr);
    return result;
}

void WaitMessage() {
    WindowManager::Instance().Wait();
}

void PostQuitMessage(int exitCode) {
    MSG msg;
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(exitCode);
    WindowManager::Instance().Post(msg);
}

BOOL ReleaseCapture() {
    WindowManager::Instance().SetCapture(nullptr);
    return TRUE;
}

CWnd* GetActiveWindow() {
    return WindowManager::Instance().Active();
}
CWnd* WindowFromPoint(CPoint screenPoint) {
    return WindowManager::Instance().WindowFromPoint(screenPoint);
}
