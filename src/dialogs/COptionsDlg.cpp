#include "dialogs/COptionsDlg.h"

#include "dialogs/CDocumentOpener.h"
#include "imaging/CCursor.h"
#include "platform/CPaintDC.h"
#include "platform/MessageBox.h"
#include "tools/CGlimBrush.h"

namespace {

constexpr const char* kFolder = "../bitmaps/options/";

struct ButtonFace {
    int id;
    const char* text;
    const char* up;
    const char* down;
    CRect rect;
};

CRect At(int x, int y, int width, int height) {
    return CRect(x, y, x + width, y + height);
}

constexpr int kButtonCount = 5;

const std::array<ButtonFace, kButtonCount>& Faces() {
    static const std::array<ButtonFace, kButtonCount> faces = {{
        {COptionsDlg::kOk, "OK", "oku.bmp", "okd.bmp", At(172, 194, 55, 64)},
        {COptionsDlg::kSound, "sound", "sndon.bmp", "sndoff.bmp", At(132, 42, 130, 28)},
        {COptionsDlg::kLines, "lines", "inline.bmp", "outline.bmp", At(132, 104, 130, 28)},
        {COptionsDlg::kLearning, "Ext. for Learn", "extu.bmp", "extd.bmp", At(82, 148, 49, 40)},
        {COptionsDlg::kCredits, "Credits", "credu.bmp", "credd.bmp", At(267, 149, 49, 39)},
    }};
    return faces;
}

int ButtonIndex(int id) {
    for (int i = 0; i < kButtonCount; ++i)
        if (Faces()[i].id == id) return i;
    return -1;
}

DialogTemplate MakeTemplate() {
    DialogTemplate t;
    t.id = COptionsDlg::kTemplateId;
    t.rect = At(0, 0, 399, 264);
    using Kind = DialogTemplate::Kind;
    // The placeholder first: the buttons lie above it.
    t.items.push_back({COptionsDlg::kPlaceholder, Kind::Static, t.rect, WS_VISIBLE, ""});
    for (const ButtonFace& face : Faces())
        t.items.push_back({face.id, Kind::Button, face.rect, WS_VISIBLE | BS_OWNERDRAW, face.text});
    return t;
}

// One opener for the whole run, so openers still running when the screen closes are
// reaped later.
CDocumentOpener& DocumentOpener() {
    static CDocumentOpener opener;
    return opener;
}

}  // namespace

COptionsDlg::COptionsDlg(CWnd* parent) : CDialog(kTemplateId, parent) {
    const std::string folder = kFolder;
    m_optionsPicture.Load(folder + "options.bmp");
    m_creditsPicture.Load(folder + "credits.bmp");
    for (int i = 0; i < kButtonCount; ++i) {
        m_faces[2 * i].Load(folder + Faces()[i].up);
        m_faces[2 * i + 1].Load(folder + Faces()[i].down);
        m_buttons[i].SetPictures(&m_faces[2 * i], &m_faces[2 * i + 1], nullptr);
    }
    GetButton(kSound).SetMode(CPictureButton::Mode::Toggle);
    GetButton(kLines).SetMode(CPictureButton::Mode::Toggle);
    m_soundOnSound.Load("../sounds/sound_on.wav");
    m_soundOffSound.Load("../sounds/soundoff.wav");
    m_drawInSound.Load("../sounds/draw_in.wav");
    m_drawOutSound.Load("../sounds/draw_out.wav");
}

const DialogTemplate* COptionsDlg::GetDialogTemplate() const {
    static const DialogTemplate t = MakeTemplate();
    return &t;
}

void COptionsDlg::SetPosition(int x, int y, int width, int height) {
    m_position = At(x, y, width, height);
}

void COptionsDlg::SetCursorObject(CCursor* cursor) {
    m_cursor = cursor;
    for (CPictureButton& button : m_buttons) button.SetCursorObject(cursor);
}

CPictureButton& COptionsDlg::GetButton(int id) {
    const int index = ButtonIndex(id);
    return m_buttons.at(index < 0 ? 0 : static_cast<std::size_t>(index));
}

void COptionsDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    for (int i = 0; i < kButtonCount; ++i) DDX_Control(exchange, Faces()[i].id, m_buttons[i]);
}

BOOL COptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_position.Width() <= 0 || m_position.Height() <= 0) {
        const CSize size = m_optionsPicture.GetSize();
        m_position = At(m_position.left, m_position.top, size.cx, size.cy);
    }
    MoveWindow(m_position.left, m_position.top, m_position.Width(), m_position.Height(), TRUE);
    if (CWnd* placeholder = GetDlgItem(kPlaceholder))
        placeholder->MoveWindow(0, 0, m_position.Width(), m_position.Height(), FALSE);
    for (int i = 0; i < kButtonCount; ++i) {
        const CRect& r = Faces()[i].rect;
        m_buttons[i].MoveWindow(r.left, r.top, r.Width(), r.Height(), FALSE);
    }
    // A button that is on shows the setting switched off.
    CBasicSound::IsSoundOn() ? GetButton(kSound).SetOff() : GetButton(kSound).SetOn();
    GetStayInsideLines() ? GetButton(kLines).SetOff() : GetButton(kLines).SetOn();
    return FALSE;
}

BOOL COptionsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case kSound:
            OnSoundSwitch();
            return TRUE;
        case kLines:
            OnLinesSwitch();
            return TRUE;
        case kLearning:
            OnLearning();
            return TRUE;
        case kCredits:
            OnCreditsButton();
            return TRUE;
        case IDCANCEL:
            // Escape leaves like OK: the settings already took effect.
            EndDialog(IDOK);
            return TRUE;
        default:
            return CDialog::OnCommand(wParam, lParam);
    }
}

void COptionsDlg::OnSoundSwitch() {
    CPictureButton& button = GetButton(kSound);
    button.Click();
    if (button.IsOn()) {
        m_soundOffSound.Play(CBasicSound::kInterruptingSound);
        CBasicSound::SetSoundOn(false);
    } else {
        CBasicSound::SetSoundOn(true);
        m_soundOnSound.Play(CBasicSound::kInterruptingSound);
    }
}

void COptionsDlg::OnLinesSwitch() {
    CPictureButton& button = GetButton(kLines);
    button.Click();
    if (button.IsOn()) {
        m_drawOutSound.Play(CBasicSound::kInterruptingSound);
        SetStayInsideLines(false);
    } else {
        m_drawInSound.Play(CBasicSound::kInterruptingSound);
        SetStayInsideLines(true);
    }
}

void COptionsDlg::OnLearning() {
    GetButton(kLearning).Click();
    switch (DocumentOpener().Open(kDocumentPath)) {
        case CDocumentOpener::Result::NoDocument:
            AfxMessageBox(kDocumentMissing);
            break;
        case CDocumentOpener::Result::NoOpener:
            AfxMessageBox(kNoOpener);
            break;
        case CDocumentOpener::Result::Started:
            break;
    }
    EndDialog(IDOK);
}

void COptionsDlg::ShowButtons(int command) {
    for (CPictureButton& button : m_buttons) button.ShowWindow(command);
}

void COptionsDlg::OnCreditsButton() {
    GetButton(kCredits).Click();
    CRect parentRect;
    if (CWnd* parent = GetParent()) {
        parent->GetWindowRect(&parentRect);
    } else {
        parentRect = At(0, 0, m_creditsPicture.GetSize().cx, m_creditsPicture.GetSize().cy);
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
        const bool gesture = flags == (MK_CONTROL | MK_SHIFT) && point.x > 436 && point.x < 469 &&
                             point.y > 420 && point.y < 434;
        if (gesture) {
            m_ticker.Start();
            SetTimer(kTickerTimer, kTickerInterval);
        } else {
            m_currentPicture = &m_optionsPicture;
            m_creditsMode = false;
            MoveWindow(m_position.left, m_position.top, m_position.Width(), m_position.Height(),
                       TRUE);
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

BOOL COptionsDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void COptionsDlg::OnPaint() {
    CPaintDC dc(this);
    if (m_palette != nullptr) {
        dc.SelectPalette(m_palette, FALSE);
        dc.RealizePalette();
    }
    CRect client;
    GetClientRect(&client);
    m_currentPicture->Paint(dc, 0, 0, client.Width(), client.Height(), m_palette);
    // The ticker's letters run along its band on the band's own colour.
    if (!m_ticker.IsEmpty()) {
        CRect band = GetTickerBand();
        const COLORREF previous = dc.SetBkColor(kTickerColour);
        dc.DrawText(m_ticker.GetText(), &band, DT_SINGLELINE);
        dc.SetBkColor(previous);
    }
}

void COptionsDlg::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    if (m_palette != nullptr && drawItem != nullptr && drawItem->hDC != nullptr) {
        drawItem->hDC->SelectPalette(m_palette, FALSE);
        drawItem->hDC->RealizePalette();
    }
    CDialog::OnDrawItem(controlId, drawItem);
}

BOOL COptionsDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_cursor == nullptr) return CDialog::OnSetCursor(wnd, hitTest, message);
    m_cursor->SetCursorIndex(3);
    return TRUE;
}
