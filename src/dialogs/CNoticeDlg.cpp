#include "dialogs/CNoticeDlg.h"

#include <utility>

#include "platform/draw/CPaintDC.h"

namespace {

const DialogTemplate& NoticeTemplate() {
    static const DialogTemplate notice = [] {
        DialogTemplate t;
        t.id = CNoticeDlg::kTemplateId;
        t.style = WS_POPUP;
        t.rect = ScreenLayouts::kPopupRect;
        t.rect.OffsetRect(-t.rect.left, -t.rect.top);
        return t;
    }();
    return notice;
}

}  // namespace

CNoticeDlg::CNoticeDlg(const std::string& picturePath, const std::string& voicePath,
                       std::string caption, CWnd* parent)
    : CPictureDialog(kTemplateId, parent), m_voicePath(voicePath), m_caption(std::move(caption)) {
    GetBackground().Load(picturePath);
}

const DialogTemplate* CNoticeDlg::GetDialogTemplate() const {
    return &NoticeTemplate();
}

BOOL CNoticeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(FALSE, ScreenLayouts::kPopupRect.Size());
    ShowWindow(SW_SHOW);
    UpdateWindow();
    if (m_voice.Load(m_voicePath)) m_voice.Play(CBasicSound::kInterruptingSound);
    return FALSE;
}

void CNoticeDlg::OnPaint() {
    CPaintDC dc(this);
    PaintBackgroundAsStored(dc);
}

void CNoticeDlg::OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {
    EndDialog(IDOK);
}

void CNoticeDlg::OnOK() {
    EndDialog(IDOK);
}

void CNoticeDlg::OnCancel() {
    EndDialog(IDOK);
}
