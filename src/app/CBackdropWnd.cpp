#include "app/CBackdropWnd.h"

#include "platform/draw/CPaintDC.h"

CBackdropWnd::CBackdropWnd() {
    Create(kTemplateId, nullptr);
}

const DialogTemplate* CBackdropWnd::GetDialogTemplate() const {
    // No controls; the size does not matter, start-up stretches it over the display.
    static const DialogTemplate backdrop{
        kTemplateId, WS_POPUP | WS_VISIBLE | DS_CENTER, CRect(0, 0, 279, 150), {}};
    return &backdrop;
}

BOOL CBackdropWnd::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText("Talewick");
    return TRUE;
}

BOOL CBackdropWnd::OnEraseBkgnd(CDC* dc) {
    if (dc == nullptr) return FALSE;
    CRect area;
    GetWindowRect(&area);
    ScreenToClient(&area);
    dc->FillSolidRect(area, RGB(0, 0, 0));
    return TRUE;
}

void CBackdropWnd::OnPaint() {
    CPaintDC dc(this);
}
