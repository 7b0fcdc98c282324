#include "dialogs/CConfirmDlg.h"

#include <array>

#include "platform/draw/CPaintDC.h"
#include "resources/CDialogTemplates.h"

CConfirmDlg::CConfirmDlg(UINT templateId, CWnd* parent, const Faces& faces)
    : CPictureDialog(templateId, parent), m_templateId(templateId) {
    GetBackground().Load(faces.background);
    const std::array<PictureFace, 2> buttons = {{
        {IDOK, "yes", faces.yesUp, faces.yesDown, nullptr, faces.yesRect},
        {IDCANCEL, "no", faces.noUp, faces.noDown, nullptr, faces.noRect},
    }};
    AddButtons("", buttons);
}

const DialogTemplate* CConfirmDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(m_templateId);
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
