#include "dialogs/CConfirmDlg.h"

#include "platform/draw/CPaintDC.h"
#include "resources/CDialogTemplates.h"

CConfirmDlg::CConfirmDlg(const ScreenLayout& screen, CWnd* parent)
    : CPictureDialog(screen.templateId, parent), m_screen(screen) {
    GetBackground().Load(screen.BackgroundPath());
    AddButtons(screen);
}

const DialogTemplate* CConfirmDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(m_screen.templateId);
}

BOOL CConfirmDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(FALSE);
    PlaceOverWindow(CDialogTemplates::kConfirmPlaceholder);
    PlaceButtons(FALSE);
    OnOpened();
    return FALSE;
}

void CConfirmDlg::OnCancel() {
    EndDialog(IDCANCEL);
}

void CConfirmDlg::OnPaint() {
    CPaintDC dc(this);
    PaintBackgroundAsStored(dc);
}
