#include "dialogs/CQuitDlg.h"

#include "imaging/CCursor.h"

CQuitDlg::CQuitDlg(CWnd* parent) : CConfirmDlg(ScreenLayouts::Quit::kScreen, parent) {}

void CQuitDlg::OnOpened() {
    ShowWindow(SW_SHOW);
    UpdateWindow();
}

void CQuitDlg::OnMouseMove(UINT flags, CPoint point) {
    if (GetCursorObject() != nullptr) GetCursorObject()->SetShape(CursorShape::Pointer);
    CConfirmDlg::OnMouseMove(flags, point);
}

BOOL CQuitDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (GetCursorObject() == nullptr) return CConfirmDlg::OnSetCursor(wnd, hitTest, message);
    GetCursorObject()->RestoreCursor();
    return TRUE;
}
