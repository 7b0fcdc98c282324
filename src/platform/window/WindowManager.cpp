#include "platform/window/WindowManager.h"

#include <algorithm>

#include "platform/backend/Backend.h"
#include "platform/window/CWndImpl.h"

namespace {

bool InRange(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

}  // namespace

CPoint ScreenOrigin(const CWnd* wnd) {
    CPoint origin;
    for (const CWnd* w = wnd; w != nullptr; w = w->GetImpl().parent) {
        origin = origin + w->GetImpl().rect.TopLeft();
        if (!w->GetImpl().IsChild()) break;
    }
    return origin;
}

CRect VisibleScreenRect(const CWnd* wnd) {
    CSurface& surface = GetBackend().Surface();
    CRect visible(0, 0, surface.Width(), surface.Height());
    for (const CWnd* w = wnd; w != nullptr; w = w->GetImpl().parent) {
        CRect area;
        w->GetWindowRect(&area);
        visible.IntersectRect(visible, area);
        if (!w->GetImpl().IsChild()) break;
    }
    return visible;
}

WindowManager& WindowManager::Instance() {
    static WindowManager manager;
    return manager;
}

void WindowManager::Register(CWnd* wnd) {
    m_live.insert(wnd);
    if (!wnd->GetImpl().IsChild()) m_topLevels.push_back(wnd);
}

void WindowManager::Unregister(CWnd* wnd) {
    m_live.erase(wnd);
    m_topLevels.erase(std::remove(m_topLevels.begin(), m_topLevels.end(), wnd), m_topLevels.end());
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [wnd](const Timer& t) { return t.wnd == wnd; }),
                   m_timers.end());
    if (m_capture == wnd) m_capture = nullptr;
    if (m_active == wnd) {
        m_active = nullptr;
        ActivateTopmost();
    }
}

void WindowManager::BringToTop(CWnd* wnd) {
    auto it = std::find(m_topLevels.begin(), m_topLevels.end(), wnd);
    if (it == m_topLevels.end()) return;
    m_topLevels.erase(it);
    m_topLevels.push_back(wnd);
}

void WindowManager::Activate(CWnd* wnd) {
    if (wnd == nullptr) {
        m_active = nullptr;
        ActivateTopmost();
        return;
    }
    if (m_active == wnd) return;
    m_active = wnd;
    // A window coming to the front realises its palette.
    wnd->SendMessage(WM_QUERYNEWPALETTE);
}

void WindowManager::ActivateTopmost() {
    for (auto it = m_topLevels.rbegin(); it != m_topLevels.rend(); ++it) {
        if ((*it)->IsWindowVisible() && (*it)->IsWindowEnabled()) {
            Activate(*it);
            return;
        }
    }
}

void WindowManager::Post(const MSG& msg) {
    MSG copy = msg;
    copy.time = GetBackend().Now();
    m_posted.push_back(copy);
}

bool WindowManager::Peek(MSG* msg, HWND window, UINT first, UINT last, UINT remove) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        PullInput();
        if (TakePosted(msg, window, first, last, remove)) return true;
        if (window == nullptr && TakeInput(msg, first, last, remove)) return true;
        if (TakePaint(msg, window, first, last)) return true;
        if (TakeTimer(msg, window, first, last, remove)) return true;
        if (attempt == 0) {
            // Nothing to do: the display catches up, and a scripted source may feed more.
            PresentIfDirty();
            GetBackend().OnQueueEmpty();
        }
    }
    return false;
}

void WindowManager::Wait() {
    PresentIfDirty();
    if (!m_posted.empty() || !m_input.empty()) return;
    if (!GetBackend().WaitEvent(NextTimerWait()) && m_posted.empty()) {
        // Nothing can ever happen again: let every loop end.
        MSG quit;
        quit.message = WM_QUIT;
        Post(quit);
    }
}

DWORD WindowManager::NextTimerWait() const {
    if (m_timers.empty()) return INFINITE;
    const DWORD now = GetBackend().Now();
    DWORD wait = INFINITE;
    for (const Timer& t : m_timers) {
        const auto left = static_cast<std::int32_t>(t.due - now);
        wait = std::min<DWORD>(wait, left <= 0 ? 0 : static_cast<DWORD>(left));
    }
    return wait;
}

bool WindowManager::TakePosted(MSG* msg, HWND window, UINT first, UINT last, UINT remove) {
    for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
        if (window != nullptr && it->hwnd != window) continue;
        if (!InRange(it->message, first, last) && it->message != WM_QUIT) continue;
        *msg = *it;
        if ((remove & PM_REMOVE) != 0) m_posted.erase(it);
        return true;
    }
    return false;
}

CWnd* WindowManager::FindPaintable(CWnd* wnd) const {
    if (!wnd->IsWindowVisible()) return nullptr;
    if (wnd->GetUpdateRect(nullptr)) return wnd;
    for (CWnd* child : wnd->GetImpl().children) {
        if (CWnd* found = FindPaintable(child)) return found;
    }
    return nullptr;
}

bool WindowManager::TakePaint(MSG* msg, HWND window, UINT first, UINT last) {
    if (!InRange(WM_PAINT, first, last)) return false;
    for (CWnd* top : m_topLevels) {
        CWnd* found = FindPaintable(top);
        if (found == nullptr || (window != nullptr && found != window)) continue;
        *msg = MSG();
        msg->hwnd = found;
        msg->message = WM_PAINT;
        msg->time = GetBackend().Now();
        return true;
    }
    return false;
}

bool WindowManager::TakeTimer(MSG* msg, HWND window, UINT first, UINT last, UINT remove) {
    if (!InRange(WM_TIMER, first, last) || m_timers.empty()) return false;
    const DWORD now = GetBackend().Now();
    Timer* best = nullptr;
    for (Timer& t : m_timers) {
        if (window != nullptr && t.wnd != window) continue;
        if (static_cast<std::int32_t>(now - t.due) < 0) continue;
        const bool earlier = best == nullptr || static_cast<std::int32_t>(t.due - best->due) < 0 ||
                             (t.due == best->due && t.order < best->order);
        if (earlier) best = &t;
    }
    if (best == nullptr) return false;
    *msg = MSG();
    msg->hwnd = best->wnd;
    msg->message = WM_TIMER;
    msg->wParam = best->id;
    msg->time = now;
    // One WM_TIMER at a time per timer: the next is due a full interval after this one.
    if ((remove & PM_REMOVE) != 0) best->due = now + best->elapse;
    return true;
}

UINT WindowManager::SetTimer(CWnd* wnd, UINT id, UINT elapse) {
    const DWORD due = GetBackend().Now() + elapse;
    for (Timer& t : m_timers) {
        if (t.wnd == wnd && t.id == id) {
            t.elapse = elapse;
            t.due = due;
            return id == 0 ? 1 : id;
        }
    }
    m_timers.push_back(Timer{wnd, id, elapse, due, m_timerOrder++});
    return id == 0 ? 1 : id;
}

BOOL WindowManager::KillTimer(CWnd* wnd, UINT id) {
    const auto before = m_timers.size();
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [&](const Timer& t) { return t.wnd == wnd && t.id == id; }),
                   m_timers.end());
    // Drop a WM_TIMER of it that is already queued.
    m_posted.erase(
        std::remove_if(
            m_posted.begin(), m_posted.end(),
            [&](const MSG& m) { return m.hwnd == wnd && m.message == WM_TIMER && m.wParam == id; }),
        m_posted.end());
    return m_timers.size() != before ? TRUE : FALSE;
}

bool WindowManager::RequestHelp() const {
    if (!m_helpHandler) return false;
    m_helpHandler();
    return true;
}

void WindowManager::NoteDrawn(CWnd* wnd, const CRect& screenRect) {
    m_dirty = true;
    CWnd* top = wnd->GetTopLevelParent();
    auto it = std::find(m_topLevels.begin(), m_topLevels.end(), top);
    if (it == m_topLevels.end()) return;
    for (++it; it != m_topLevels.end(); ++it) {
        CWnd* above = *it;
        if (!above->IsWindowVisible()) continue;
        CRect overlap;
        CRect area;
        above->GetWindowRect(&area);
        if (!overlap.IntersectRect(area, screenRect)) continue;
        above->ScreenToClient(&overlap);
        above->InvalidateRect(&overlap, FALSE);
    }
}

void WindowManager::PresentIfDirty() {
    if (!m_dirty) return;
    m_dirty = false;
    GetBackend().Present();
}

void WindowManager::BroadcastPaletteChanged(CWnd* changer) {
    for (CWnd* top : m_topLevels) {
        MSG msg;
        msg.hwnd = top;
        msg.message = WM_PALETTECHANGED;
        msg.wParam = reinterpret_cast<WPARAM>(changer);
        Post(msg);
    }
}

void WindowManager::PullInput() {
    InputEvent event;
    while (GetBackend().PollEvent(event)) m_input.push_back(event);
}

namespace {

UINT MessageOf(const InputEvent& event) {
    const bool left = event.button == InputEvent::Button::Left;
    switch (event.kind) {
        case InputEvent::Kind::KeyDown:
            return WM_KEYDOWN;
        case InputEvent::Kind::Close:
            return WM_SYSCOMMAND;
        case InputEvent::Kind::ButtonDown:
            return left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        case InputEvent::Kind::ButtonUp:
            return left ? WM_LBUTTONUP : WM_RBUTTONUP;
        default:
            return WM_MOUSEMOVE;
    }
}

}  // namespace

bool WindowManager::TakeInput(MSG* msg, UINT first, UINT last, UINT remove) {
    while (!m_input.empty()) {
        auto it = std::find_if(m_input.begin(), m_input.end(), [&](const InputEvent& e) {
            return InRange(MessageOf(e), first, last);
        });
        if (it == m_input.end()) return false;
        const InputEvent event = *it;
        if ((remove & PM_REMOVE) == 0) {
            // A look without taking: the window it would go to now.
            return RouteInput(event, msg);
        }
        m_input.erase(it);
        m_keyState = event.modifiers;
        if (RouteInput(event, msg)) return true;
    }
    return false;
}

bool WindowManager::RouteInput(const InputEvent& event, MSG* msg) {
    *msg = MSG();
    msg->pt = event.point;
    msg->time = GetBackend().Now();
    msg->message = MessageOf(event);
    switch (event.kind) {
        case InputEvent::Kind::KeyDown:
            msg->wParam = event.key;
            break;
        case InputEvent::Kind::Close:
            msg->wParam = SC_CLOSE;
            break;
        default:
            return RouteMouse(event, msg);
    }
    msg->hwnd = m_active;
    return msg->hwnd != nullptr;
}

bool WindowManager::RouteMouse(const InputEvent& event, MSG* msg) {
    const UINT flag = event.button == InputEvent::Button::Left ? MK_LBUTTON : MK_RBUTTON;
    if (event.kind == InputEvent::Kind::ButtonDown) m_buttons |= flag;
    if (event.kind == InputEvent::Kind::ButtonUp) m_buttons &= ~flag;
    GetBackend().OnPointerMoved(event.point);
    CWnd* target = m_capture != nullptr ? m_capture : WindowFromPoint(event.point);
    if (target == nullptr) return false;
    CPoint client = event.point;
    target->ScreenToClient(&client);
    msg->hwnd = target;
    msg->wParam = m_buttons | (event.modifiers & (MK_SHIFT | MK_CONTROL));
    msg->lParam = MAKELPARAM(client.x, client.y);
    return true;
}

CWnd* WindowManager::ChildFromPoint(CWnd* wnd, CPoint screenPoint) const {
    for (CWnd* child : wnd->GetImpl().children) {
        if (!child->GetImpl().visible || !child->IsWindowEnabled()) continue;
        CRect area;
        child->GetWindowRect(&area);
        if (!area.PtInRect(screenPoint)) continue;
        if (child->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screenPoint.x, screenPoint.y)) ==
            HTTRANSPARENT) {
            continue;
        }
        return ChildFromPoint(child, screenPoint);
    }
    return wnd;
}

CWnd* WindowManager::WindowFromPoint(CPoint screenPoint) const {
    for (auto it = m_topLevels.rbegin(); it != m_topLevels.rend(); ++it) {
        CWnd* top = *it;
        if (!top->IsWindowVisible()) continue;
        CRect area;
        top->GetWindowRect(&area);
        if (!area.PtInRect(screenPoint)) continue;
        // A disabled window (the owner of a modal dialog) takes no mouse input.
        if (!top->IsWindowEnabled()) return nullptr;
        return ChildFromPoint(top, screenPoint);
    }
    return nullptr;
}

void WindowManager::Reset() {
    m_posted.clear();
    m_input.clear();
    m_timers.clear();
    m_capture = nullptr;
    m_active = nullptr;
    m_buttons = 0;
    m_keyState = 0;
    m_dirty = false;
}
