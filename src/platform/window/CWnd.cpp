#include "platform/window/CWnd.h"

#include <algorithm>
#include <utility>

#include "platform/backend/Backend.h"
#include "platform/backend/CursorImage.h"
#include "platform/draw/CClientDC.h"
#include "platform/draw/CPaintDC.h"
#include "platform/window/CButton.h"
#include "platform/window/CWndImpl.h"
#include "platform/window/WindowManager.h"

namespace {

CRect ToScreen(const CWnd* wnd, CRect rect) {
    const CPoint origin = ScreenOrigin(wnd);
    rect.OffsetRect(origin.x, origin.y);
    return rect;
}

CPoint PointFrom(LPARAM l) {
    return {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
}

}  // namespace

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd() {
    if (m_impl->exists) DestroyWindow();
}

BOOL CWnd::CreateEx(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    if (m_impl->exists) return FALSE;
    if ((style & WS_CHILD) != 0 && (parent == nullptr || !parent->m_impl->exists)) return FALSE;
    Impl& s = *m_impl;
    s.exists = true;
    s.style = style & ~(WS_VISIBLE | WS_DISABLED);
    s.parent = parent;
    s.id = static_cast<int>(id);
    s.rect = rect;
    s.enabled = (style & WS_DISABLED) == 0;
    s.update = CRect();
    s.erase = false;
    WindowManager::Instance().Register(this);
    if (s.IsChild()) parent->m_impl->children.push_back(this);
    if ((style & WS_VISIBLE) != 0) ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    Impl& s = *m_impl;
    if (!s.exists) return FALSE;
    if (s.visible) ShowWindow(SW_HIDE);
    OnDestroy();
    while (!s.children.empty()) s.children.front()->DestroyWindow();
    s.ownedControls.clear();
    if (s.IsChild() && WindowManager::Instance().IsLive(s.parent)) {
        auto& siblings = s.parent->m_impl->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    s.dcs.clear();
    WindowManager::Instance().Unregister(this);
    s.exists = false;
    s.visible = false;
    s.parent = nullptr;
    return TRUE;
}

HWND CWnd::GetSafeHwnd() const {
    return m_impl->exists ? const_cast<CWnd*>(this) : nullptr;
}
DWORD CWnd::GetStyle() const {
    return m_impl->style | (m_impl->visible ? WS_VISIBLE : 0) | (m_impl->enabled ? 0 : WS_DISABLED);
}

void CWnd::GetClientRect(CRect* rect) const {
    *rect = CRect(0, 0, m_impl->rect.Width(), m_impl->rect.Height());
}

void CWnd::GetWindowRect(CRect* rect) const {
    GetClientRect(rect);
    *rect = ToScreen(this, *rect);
}

void CWnd::ScreenToClient(CPoint* point) const {
    *point = *point - ScreenOrigin(this);
}

void CWnd::ScreenToClient(CRect* rect) const {
    const CPoint o = ScreenOrigin(this);
    rect->OffsetRect(-o.x, -o.y);
}

void CWnd::ClientToScreen(CPoint* point) const {
    *point = *point + ScreenOrigin(this);
}
void CWnd::ClientToScreen(CRect* rect) const {
    *rect = ToScreen(this, *rect);
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    if (!m_impl->exists) return FALSE;
    WINDOWPOS pos{this, x, y, width, height};
    SendMessage(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    const CRect newRect(pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0));
    if (newRect == m_impl->rect) return TRUE;
    const bool shown = IsWindowVisible() != FALSE;
    if (shown && repaint) ShowWindow(SW_HIDE);
    m_impl->rect = newRect;
    if (shown && repaint) ShowWindow(SW_SHOWNA);
    return TRUE;
}

BOOL CWnd::ShowWindow(int command) {
    Impl& s = *m_impl;
    if (!s.exists) return FALSE;
    const BOOL wasVisible = s.visible ? TRUE : FALSE;
    auto& manager = WindowManager::Instance();
    if (command == SW_HIDE) {
        if (!s.visible) return wasVisible;
        const CRect area = ToScreen(this, CRect(0, 0, s.rect.Width(), s.rect.Height()));
        s.visible = false;
        // What the window covered shows again: its parent, or the windows below it.
        if (s.IsChild()) {
            CRect inParent = s.rect;
            s.parent->InvalidateRect(&inParent, TRUE);
        } else {
            for (CWnd* other : manager.TopLevels()) {
                if (other == this || !other->IsWindowVisible()) continue;
                CRect local = area;
                other->ScreenToClient(&local);
                other->InvalidateRect(&local, TRUE);
            }
            if (manager.Active() == this) manager.Activate(nullptr);
        }
        return wasVisible;
    }
    if (!s.IsChild()) {
        manager.BringToTop(this);
        if (command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && s.enabled)
            manager.Activate(this);
    }
    if (!s.visible) {
        s.visible = true;
        Invalidate(TRUE);
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    for (const CWnd* w = this; w != nullptr; w = w->m_impl->parent) {
        if (!w->m_impl->exists || !w->m_impl->visible) return FALSE;
        if (!w->m_impl->IsChild()) return TRUE;
    }
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = m_impl->enabled ? FALSE : TRUE;
    const bool now = enable != FALSE;
    if (m_impl->enabled != now) {
        m_impl->enabled = now;
        auto& manager = WindowManager::Instance();
        if (!now && manager.Capture() == this) manager.SetCapture(nullptr);
        SendMessage(WM_ENABLE, now ? 1 : 0);
    }
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_impl->exists && m_impl->enabled ? TRUE : FALSE;
}
void CWnd::SetWindowText(const std::string& text) {
    m_impl->text = text;
}
std::string CWnd::GetWindowText() const {
    return m_impl->text;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : m_impl->children) {
        if (child->m_impl->id == id) return child;
    }
    return nullptr;
}

CWnd* CWnd::GetParent() const {
    return m_impl->parent;
}
int CWnd::GetDlgCtrlID() const {
    return m_impl->id;
}
void CWnd::SetDlgCtrlID(int id) {
    m_impl->id = id;
}

CWnd* CWnd::GetTopLevelParent() const {
    const CWnd* w = this;
    while (w->m_impl->IsChild() && w->m_impl->parent != nullptr) w = w->m_impl->parent;
    return const_cast<CWnd*>(w);
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* control) {
    CWnd* old = GetDlgItem(id);
    if (old == nullptr || control == nullptr || control == old || control->m_impl->exists) {
        return old != nullptr && old == control;
    }
    // The control object takes the window over: same place in the stacking order.
    std::swap(control->m_impl, old->m_impl);
    auto& siblings = m_impl->children;
    std::replace(siblings.begin(), siblings.end(), old, control);
    for (CWnd* child : control->m_impl->children) child->m_impl->parent = control;
    auto& manager = WindowManager::Instance();
    manager.Unregister(old);
    manager.Register(control);
    auto& owned = m_impl->ownedControls;
    owned.erase(std::remove_if(owned.begin(), owned.end(),
                               [old](const std::unique_ptr<CWnd>& p) { return p.get() == old; }),
                owned.end());
    return TRUE;
}

CDC* CWnd::GetDC() {
    if (!m_impl->exists) return nullptr;
    m_impl->dcs.push_back(std::make_unique<CClientDC>(this));
    return m_impl->dcs.back().get();
}

int CWnd::ReleaseDC(CDC* dc) {
    auto& dcs = m_impl->dcs;
    auto it = std::find_if(dcs.begin(), dcs.end(), [dc](const auto& p) { return p.get() == dc; });
    if (it == dcs.end()) return 0;
    dcs.erase(it);
    return 1;
}

void CWnd::InvalidateRect(const CRect* rect, BOOL erase) {
    Impl& s = *m_impl;
    if (!s.exists) return;
    const CRect client(0, 0, s.rect.Width(), s.rect.Height());
    CRect area;
    if (!area.IntersectRect(rect != nullptr ? *rect : client, client)) return;
    s.update.UnionRect(s.update, area);
    if (erase) s.erase = true;
    // Windows do not clip their children, so the children under the area repaint too.
    for (CWnd* child : s.children) {
        if (!child->m_impl->visible) continue;
        CRect part;
        if (!part.IntersectRect(area, child->m_impl->rect)) continue;
        part.OffsetRect(-child->m_impl->rect.left, -child->m_impl->rect.top);
        child->InvalidateRect(&part, erase);
    }
}

void CWnd::Invalidate(BOOL erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::ValidateRect(const CRect* rect) {
    Impl& s = *m_impl;
    if (rect == nullptr) {
        s.update = CRect();
        s.erase = false;
        return;
    }
    // The update area is one rectangle: validating must cover it to clear it.
    CRect both;
    both.UnionRect(*rect, s.update);
    if (both == *rect) {
        s.update = CRect();
        s.erase = false;
    }
}

BOOL CWnd::GetUpdateRect(CRect* rect, BOOL /*erase*/) const {
    if (rect != nullptr) *rect = m_impl->update;
    return m_impl->update.IsRectEmpty() ? FALSE : TRUE;
}

void CWnd::UpdateWindow() {
    if (!IsWindowVisible()) return;
    if (!m_impl->update.IsRectEmpty()) SendMessage(WM_PAINT);
    if (!m_impl->update.IsRectEmpty()) ValidateRect(nullptr);
    const std::vector<CWnd*> children = m_impl->children;
    for (CWnd* child : children) {
        if (WindowManager::Instance().IsLive(child)) child->UpdateWindow();
    }
}

UINT CWnd::SetTimer(UINT id, UINT elapse, void* /*callback*/) {
    if (!m_impl->exists) return 0;
    return WindowManager::Instance().SetTimer(this, id, elapse);
}

BOOL CWnd::KillTimer(UINT id) {
    return WindowManager::Instance().KillTimer(this, id);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_impl->exists && message != WM_DESTROY) return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_impl->exists) return FALSE;
    MSG msg;
    msg.hwnd = this;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    WindowManager::Instance().Post(msg);
    return TRUE;
}

bool CWnd::RouteMouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
    using Handler = void (CWnd::*)(UINT, CPoint);
    static constexpr std::pair<UINT, Handler> kHandlers[] = {
        {WM_LBUTTONDOWN, &CWnd::OnLButtonDown}, {WM_LBUTTONUP, &CWnd::OnLButtonUp},
        {WM_MOUSEMOVE, &CWnd::OnMouseMove},     {WM_RBUTTONDOWN, &CWnd::OnRButtonDown},
        {WM_RBUTTONUP, &CWnd::OnRButtonUp},
    };
    for (const auto& [handled, handler] : kHandlers) {
        if (handled != message) continue;
        (this->*handler)(static_cast<UINT>(wParam), PointFrom(lParam));
        return true;
    }
    return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (RouteMouseButton(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBkgnd(reinterpret_cast<CDC*>(lParam));
        case WM_TIMER:
            OnTimer(static_cast<UINT>(wParam));
            return 0;
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_SYSCOMMAND:
            OnSysCommand(static_cast<UINT>(wParam), lParam);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            OnDrawItem(static_cast<int>(wParam), item);
            return TRUE;
        }
        case WM_SETCURSOR:
            return OnSetCursor(reinterpret_cast<CWnd*>(wParam), LOWORD(static_cast<WPARAM>(lParam)),
                               HIWORD(static_cast<WPARAM>(lParam)));
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam), 1, 0);
            return 0;
        case WM_QUERYNEWPALETTE:
            return OnQueryNewPalette();
        case WM_PALETTECHANGED:
            OnPaletteChanged(reinterpret_cast<CWnd*>(wParam));
            return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_ENABLE:
            OnEnable(static_cast<BOOL>(wParam));
            return 0;
        case WM_NCHITTEST:
            return OnNcHitTest(PointFrom(lParam));
        default:
            return 0;
    }
}

CWnd* CWnd::SetCapture() {
    auto& manager = WindowManager::Instance();
    CWnd* previous = manager.Capture();
    if (m_impl->exists) manager.SetCapture(this);
    return previous;
}

CWnd* CWnd::GetCapture() {
    return WindowManager::Instance().Capture();
}

void CWnd::BeginPaint(PAINTSTRUCT* paint) {
    Impl& s = *m_impl;
    paint->rcPaint = s.update;
    const bool erase = s.erase;
    s.update = CRect();
    s.erase = false;
    paint->fErase = FALSE;
    if (erase && paint->hdc != nullptr) {
        paint->fErase =
            SendMessage(WM_ERASEBKGND, 0, reinterpret_cast<LPARAM>(paint->hdc)) ? FALSE : TRUE;
    }
}

void CWnd::EndPaint(const PAINTSTRUCT* paint) {
    WindowManager::Instance().NoteDrawn(this, ToScreen(this, paint->rcPaint));
}

BOOL CWnd::OnEraseBkgnd(CDC* dc) {
    if (dc == nullptr) return FALSE;
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, RGB(0, 0, 0));
    return TRUE;
}

void CWnd::OnPaint() {
    CPaintDC dc(this);
}

void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnMouseMove(UINT, CPoint) {}
void CWnd::OnRButtonDown(UINT, CPoint) {}
void CWnd::OnRButtonUp(UINT, CPoint) {}
void CWnd::OnTimer(UINT) {}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != ID_HELP) return FALSE;
    return WindowManager::Instance().RequestHelp() ? TRUE : FALSE;
}

void CWnd::OnSysCommand(UINT id, LPARAM) {
    if (id == SC_CLOSE) SendMessage(WM_CLOSE);
}

void CWnd::OnClose() {
    DestroyWindow();
}

void CWnd::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    CWnd* control = drawItem != nullptr && drawItem->hwndItem != nullptr ? drawItem->hwndItem
                                                                         : GetDlgItem(controlId);
    if (control != nullptr && drawItem != nullptr) control->DrawItem(drawItem);
}

BOOL CWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    // The parent gets the first say; otherwise the plain arrow.
    CWnd* parent = m_impl->IsChild() ? m_impl->parent : nullptr;
    if (parent != nullptr && parent->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd),
                                                 MAKELPARAM(hitTest, message))) {
        return TRUE;
    }
    if (hitTest == HTCLIENT) ::SetCursor(LoadSystemCursor(IDC_ARROW));
    return FALSE;
}

void CWnd::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_F1) GetTopLevelParent()->SendMessage(WM_COMMAND, ID_HELP);
}

BOOL CWnd::OnQueryNewPalette() {
    return FALSE;
}
void CWnd::OnPaletteChanged(CWnd*) {}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {}
void CWnd::OnEnable(BOOL) {}
void CWnd::OnDestroy() {}
int CWnd::OnNcHitTest(CPoint) {
    return HTCLIENT;
}
void CWnd::DrawItem(DRAWITEMSTRUCT*) {}
