#include "dialogs/COptionsDlg.h"

#include "dialogs/CDocumentOpener.h"
#include "platform/draw/CPaintDC.h"
#include "platform/window/CommandRoute.h"
#include "platform/window/MessageBox.h"
#include "resources/CDialogTemplates.h"

namespace {

// One opener for the whole run, so openers still running when the screen closes are
// reaped later.
CDocumentOpener& DocumentOpener() {
    static CDocumentOpener opener;
    return opener;
}

}  // namespace

COptionsDlg::COptionsDlg(Preferences& preferences, CWnd* parent)
    : CPictureDialog(kTemplateId, parent), m_preferences(preferences) {
    const ScreenLayout& screen = ScreenLayouts::Options::kScreen;
    GetBackground().Load(screen.PathOf(ScreenLayouts::Options::kBackdrop.file));
    m_creditsPicture.Load(screen.PathOf(ScreenLayouts::Options::kCreditsPicture.file));
    m_currentPicture = &GetBackground();
    AddButtons(screen);
    GetButton(kSound).SetMode(CPictureButton::Mode::Toggle);
    GetButton(kLines).SetMode(CPictureButton::Mode::Toggle);
    m_soundOnSound.Load(ContentPaths::kSoundOnSound);
    m_soundOffSound.Load(ContentPaths::kSoundOffSound);
    m_drawInSound.Load(ContentPaths::kDrawInSound);
    m_drawOutSound.Load(ContentPaths::kDrawOutSound);
}

const DialogTemplate* COptionsDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

BOOL COptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(TRUE);
    PlaceOverWindow(kPlaceholder);
    PlaceButtons(FALSE);
    // A button that is on shows the setting switched off.
    m_preferences.IsSoundOn() ? GetButton(kSound).SetOff() : GetButton(kSound).SetOn();
    m_preferences.StaysInsideLines() ? GetButton(kLines).SetOff() : GetButton(kLines).SetOn();
    return FALSE;
}

BOOL COptionsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static constexpr CommandRoute<COptionsDlg> kRoutes[] = {
        {kSound, &COptionsDlg::OnSoundSwitch},
        {kLines, &COptionsDlg::OnLinesSwitch},
        {kLearning, &COptionsDlg::OnLearning},
        {kCredits, &COptionsDlg::OnCreditsButton},
    };
    if (RouteCommand<COptionsDlg>(*this, LOWORD(wParam), kRoutes)) return TRUE;
    // Escape leaves like OK: the settings already took effect.
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void COptionsDlg::OnSoundSwitch() {
    Switch(kSound, m_soundOffSound, m_soundOnSound,
           [this](bool on) { m_preferences.SetSoundOn(on); });
}

void COptionsDlg::OnLinesSwitch() {
    Switch(kLines, m_drawOutSound, m_drawInSound,
           [this](bool on) { m_preferences.SetStayInsideLines(on); });
}

void COptionsDlg::Switch(int id, CBasicSound& offSound, CBasicSound& onSound,
                         const std::function<void(bool)>& setSetting) {
    CPictureButton& button = GetButton(id);
    button.Click();
    // A button that is on shows the setting switched off. The sound plays while the sound
    // setting is still on, whichever way it goes.
    if (button.IsOn()) {
        offSound.Play(CBasicSound::kInterruptingSound);
        setSetting(false);
    } else {
        setSetting(true);
        onSound.Play(CBasicSound::kInterruptingSound);
    }
}

void COptionsDlg::OnLearning() {
    GetButton(kLearning).Click();
    switch (DocumentOpener().Open(kDocumentPath)) {
        case CDocumentOpener::Result::NoDocument:
            AfxMessageBox(ChildMessage::ContentMissing, kDocumentMissing, kDocumentPath,
                          "is missing, so the guide cannot be shown.");
            break;
        case CDocumentOpener::Result::NoOpener:
            AfxMessageBox(ChildMessage::CannotOpen, kNoOpener);
            break;
        case CDocumentOpener::Result::Started:
            break;
    }
    EndDialog(IDOK);
}

void COptionsDlg::ShowButtons(int command) {
    ForEachButton([command](CPictureButton& button) { button.ShowWindow(command); });
}

void COptionsDlg::OnCreditsButton() {
    GetButton(kCredits).Click();
    CRect parentRect;
    if (CWnd* parent = GetParent()) {
        parent->GetWindowRect(&parentRect);
    } else {
        parentRect = RectAt(0, 0, m_creditsPicture.GetSize().cx, m_creditsPicture.GetSize().cy);
    }
    m_creditsMode = true;
    m_currentPicture = &m_creditsPicture;
    ShowWindow(SW_HIDE);
    ShowButtons(SW_HIDE);
    MoveWindow(parentRect.left, parentRect.top, parentRect.Width(), parentRect.Height(), TRUE);
    ShowWindow(SW_SHOW);
}

void COptionsDlg::OnLButtonUp(UINT flags, CPoint point) {
    if (m_creditsMode) {
        const bool gesture = flags == (MK_CONTROL | MK_SHIFT) &&
                             ScreenLayouts::Options::kTickerSpot.rect.PtInRect(point);
        if (gesture) {
            m_ticker.Start();
            SetTimer(kTickerTimer, kTickerInterval);
        } else {
            m_currentPicture = &GetBackground();
            m_creditsMode = false;
            const CRect& position = GetPosition();
            MoveWindow(position.left, position.top, position.Width(), position.Height(), TRUE);
            KillTimer(kTickerTimer);
            m_ticker.Clear();
            EndDialog(IDOK);
        }
    }
    CDialog::OnLButtonUp(flags, point);
}

void COptionsDlg::OnTimer(UINT) {
    if (!m_ticker.Tick()) KillTimer(kTickerTimer);
    const CRect band = GetTickerBand();
    InvalidateRect(&band, TRUE);
    UpdateWindow();
}

void COptionsDlg::OnPaint() {
    CPaintDC dc(this);
    PaintBackground(dc, *m_currentPicture);
    // The ticker's letters run along its band on the band's own colour.
    if (!m_ticker.IsEmpty()) {
        CRect band = GetTickerBand();
        const COLORREF previous = dc.SetBkColor(kTickerColour);
        dc.DrawText(m_ticker.GetText(), &band, DT_SINGLELINE);
        dc.SetBkColor(previous);
    }
}
