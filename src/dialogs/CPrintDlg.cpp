#include "dialogs/CPrintDlg.h"

#include "platform/draw/CPaintDC.h"
#include "resources/CDialogTemplates.h"
#include "resources/ContentPaths.h"

CPrintDlg::CPrintDlg(CWnd* parent) : CPictureDialog(kTemplateId, parent) {
    const ScreenLayout& screen = ScreenLayouts::Print::kScreen;
    GetBackground().Load(screen.PathOf(ScreenLayouts::Print::kBackdrop.file));
    AddButtons(screen);
    GetButton(kTextToggleId).SetMode(CPictureButton::Mode::Toggle);
    m_sound.Load(ContentPaths::kPrintAskSound);
}

const DialogTemplate* CPrintDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

BOOL CPrintDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(FALSE);
    PlaceOverWindow(kPlaceholderId);
    PlaceButtons(FALSE);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_sound.Play(CBasicSound::kInterruptingSound);
    // The focus stays where it was.
    return FALSE;
}

BOOL CPrintDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kTextToggleId) {
        GetButton(kTextToggleId).Click();
        m_printText = !m_printText;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPrintDlg::OnPaint() {
    {
        CPaintDC dc(this);
        PaintBackgroundAsStored(dc);
    }
    // Painted over and over while shown, so nothing drawn across it lingers.
    Invalidate(TRUE);
}
