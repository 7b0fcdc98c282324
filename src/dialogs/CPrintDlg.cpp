#include "dialogs/CPrintDlg.h"

#include "imaging/CCursor.h"
#include "platform/CPaintDC.h"

namespace {

// Cursor index of the general pointer.
constexpr int kPointerCursor = 3;

const CRect kYesRect(138, 161, 138 + 54, 161 + 75);
const CRect kNoRect(204, 161, 204 + 54, 161 + 75);
const CRect kTextToggleRect(132, 88, 132 + 130, 88 + 28);

// The layout: the full-window placeholder first so the buttons lie above it.
DialogTemplate MakeTemplate() {
    using Kind = DialogTemplate::Kind;
    constexpr DWORD kButton = WS_VISIBLE | BS_OWNERDRAW;
    DialogTemplate t;
    t.id = CPrintDlg::kTemplateId;
    t.style = WS_POPUP;
    t.rect = CRect(0, 0, 399, 264);
    t.items = {
        {CPrintDlg::kPlaceholderId, Kind::Static, CRect(0, 0, 399, 264), WS_VISIBLE, ""},
        {IDOK, Kind::Button, kYesRect, kButton, "yes"},
        {IDCANCEL, Kind::Button, kNoRect, kButton, "no"},
        {CPrintDlg::kTextToggleId, Kind::Button, kTextToggleRect, kButton, "Text Toggle"},
    };
    return t;
}

void Place(CWnd& control, const CRect& rect) {
    control.MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
}

}  // namespace

CPrintDlg::CPrintDlg(CWnd* parent) : CDialog(kTemplateId, parent) {
    m_background.Load("../bitmaps/print/print.bmp");
    m_yesUp.Load("../bitmaps/print/yesu.bmp");
    m_yesDown.Load("../bitmaps/print/yesd.bmp");
    m_noUp.Load("../bitmaps/print/nou.bmp");
    m_noDown.Load("../bitmaps/print/nod.bmp");
    m_textUp.Load("../bitmaps/print/textu.bmp");
    m_textDown.Load("../bitmaps/print/textd.bmp");
    m_sound.Load("../sounds/print.wav");
    m_yes.SetPictures(&m_yesUp, &m_yesDown, nullptr);
    m_no.SetPictures(&m_noUp, &m_noDown, nullptr);
    m_text.SetPictures(&m_textUp, &m_textDown, nullptr);
    m_text.SetMode(CPictureButton::Mode::Toggle);
}

const DialogTemplate* CPrintDlg::GetDialogTemplate() const {
    static const DialogTemplate layout = MakeTemplate();
    return &layout;
}

void CPrintDlg::SetPosition(int x, int y, int width, int height) {
    m_position = CRect(x, y, x + width, y + height);
}

void CPrintDlg::SetCursorObject(CCursor* cursor) {
    m_cursor = cursor;
    m_yes.SetCursorObject(cursor);
    m_no.SetCursorObject(cursor);
    m_text.SetCursorObject(cursor);
}

void CPrintDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Control(exchange, IDOK, m_yes);
    DDX_Control(exchange, IDCANCEL, m_no);
    DDX_Control(exchange, kTextToggleId, m_text);
}

BOOL CPrintDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_position.Width() == 0 || m_position.Height() == 0) {
        m_position = CRect(m_position.TopLeft(), m_background.GetSize());
    }
    MoveWindow(m_position.left, m_position.top, m_position.Width(), m_position.Height(), FALSE);
    if (CWnd* placeholder = GetDlgItem(kPlaceholderId)) {
        Place(*placeholder, CRect(0, 0, m_position.Width(), m_position.Height()));
    }
    Place(m_yes, kYesRect);
    Place(m_no, kNoRect);
    Place(m_text, kTextToggleRect);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_sound.Play(CBasicSound::kInterruptingSound);
    // The focus stays where it was.
    return FALSE;
}

BOOL CPrintDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kTextToggleId) {
        m_text.Click();
        m_printText = !m_printText;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CPrintDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPrintDlg::Realize(CDC& dc) {
    if (m_palette == nullptr) return;
    dc.SelectPalette(m_palette, FALSE);
    dc.RealizePalette();
}

void CPrintDlg::OnPaint() {
    {
        CPaintDC dc(this);
        Realize(dc);
        CRect window;
        GetWindowRect(&window);
        m_background.Paint(dc, 0, 0, window.Width(), window.Height(), nullptr);
    }
    // Painted over and over while shown, so nothing drawn across it lingers.
    Invalidate(TRUE);
}

BOOL CPrintDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_cursor == nullptr) return CDialog::OnSetCursor(wnd, hitTest, message);
    m_cursor->SetCursorIndex(kPointerCursor);
    return TRUE;
}

void CPrintDlg::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    if (drawItem != nullptr && drawItem->hDC != nullptr) Realize(*drawItem->hDC);
    CDialog::OnDrawItem(controlId, drawItem);
}
