#include "platform/window/CButton.h"

#include "platform/draw/CPaintDC.h"
#include "platform/window/MessageLoop.h"

BOOL CButton::Create(const std::string& text, DWORD style, const CRect& rect, CWnd* parent,
                     UINT id) {
    SetWindowText(text);
    return CreateEx(style | WS_CHILD, rect, parent, id);
}

BOOL CButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CButton::OnPaint() {
    CPaintDC dc(this);
    if ((GetStyle() & 0x0F) != BS_OWNERDRAW || GetParent() == nullptr) return;
    DRAWITEMSTRUCT item;
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (m_pressed ? ODS_SELECTED : 0) | (IsWindowEnabled() ? 0 : ODS_DISABLED);
    item.hwndItem = this;
    item.hDC = &dc;
    GetClientRect(&item.rcItem);
    GetParent()->SendMessage(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void CButton::SetPressed(bool pressed) {
    if (m_pressed == pressed) return;
    m_pressed = pressed;
    // The pressed face shows at once, as the mouse moves.
    Invalidate(FALSE);
    UpdateWindow();
}

void CButton::OnLButtonDown(UINT, CPoint) {
    SetCapture();
    m_tracking = true;
    SetPressed(true);
}

void CButton::OnMouseMove(UINT, CPoint point) {
    if (!m_tracking) return;
    CRect client;
    GetClientRect(&client);
    SetPressed(client.PtInRect(point));
}

void CButton::OnLButtonUp(UINT, CPoint point) {
    if (!m_tracking) return;
    m_tracking = false;
    if (GetCapture() == this) ReleaseCapture();
    CRect client;
    GetClientRect(&client);
    const bool inside = client.PtInRect(point);
    SetPressed(false);
    if (inside && GetParent() != nullptr) {
        GetParent()->SendMessage(WM_COMMAND,
                                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(this));
    }
}

void CButton::OnEnable(BOOL enable) {
    if (!enable) {
        m_tracking = false;
        m_pressed = false;
    }
    Invalidate(FALSE);
}
