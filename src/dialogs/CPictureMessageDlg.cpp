#include "dialogs/CPictureMessageDlg.h"

#include <utility>

#include "platform/draw/CPaintDC.h"
#include "resources/CDialogTemplates.h"
#include "resources/ChildMessageArt.h"

namespace {

using Message = ScreenLayouts::Message;

// Cream, the colour the card shows when its picture is missing, and the caption's ink.
constexpr COLORREF kMissingCard = RGB(255, 255, 170);
constexpr COLORREF kCaptionInk = RGB(73, 36, 0);

}  // namespace

CPictureMessageDlg::CPictureMessageDlg(ChildMessage kind, std::string caption, CWnd* parent)
    : CPictureDialog(kTemplateId, parent), m_kind(kind), m_caption(std::move(caption)) {
    GetBackground().Load(ChildMessageArt::PicturePath(kind));
    AddButtons(Message::kScreen);
}

const DialogTemplate* CPictureMessageDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

void CPictureMessageDlg::PlaceOver(const CWnd* screen) {
    CRect window(0, 0, 0, 0);
    if (screen != nullptr) screen->GetWindowRect(&window);
    const CRect& place = ScreenLayouts::kPopupRect;
    SetPosition(window.left + place.left, window.top + place.top, place.Width(), place.Height());
}

BOOL CPictureMessageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(FALSE, CSize(Message::kScreen.width, Message::kScreen.height));
    PlaceOverWindow(ScreenLayouts::kPlaceholderId);
    PlaceButtons(FALSE);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    if (m_voice.Load(ChildMessageArt::VoicePath(m_kind)))
        m_voice.Play(CBasicSound::kInterruptingSound);
    return FALSE;
}

void CPictureMessageDlg::OnPaint() {
    CPaintDC dc(this);
    if (GetBackground().IsValid()) {
        PaintBackgroundAsStored(dc);
    } else {
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, kMissingCard);
    }
    PaintCaption(dc);
}

void CPictureMessageDlg::PaintCaption(CDC& dc) {
    CRect band = Message::kCaption.rect;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kCaptionInk);
    dc.DrawText(m_caption, &band, DT_LEFT | DT_WORDBREAK);
}
