#include "dialogs/CQuitDlg.h"

#include "imaging/CCursor.h"
#include "resources/CDialogTemplates.h"

namespace {

const CConfirmDlg::Faces kFaces = {
    "../bitmaps/quit/exitbox.bmp", "../bitmaps/quit/yesup.bmp", "../bitmaps/quit/yesdn.bmp",
    "../bitmaps/quit/noup.bmp",    "../bitmaps/quit/nodn.bmp",  CRect(209, 220, 257, 257),
    CRect(139, 220, 208, 257),
};

}  // namespace

CQuitDlg::CQuitDlg(CWnd* parent) : CConfirmDlg(CDialogTemplates::kQuit, parent, kFaces) {}

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
