#include "dialogs/CConfirmDlg.h"

#include "imaging/CCursor.h"
#include "platform/CPaintDC.h"
#include "resources/CDialogTemplates.h"

CConfirmDlg::CConfirmDlg(UINT templateId, CWnd* parent, const Faces& faces)
    : CDialog(templateId, parent), m_templateId(templateId), m_faces(faces) {
    m_background.Load(faces.background);
    m_yesUp.Load(faces.yesUp);
    m_yesDown.Load(faces.yesDown);
    m_noUp.Load(faces.noUp);
    m_noDown.Load(faces.noDown);
    m_yes.SetPictures(&m_yesUp, &m_yesDown, nullptr);
    m_no.SetPictures(&m_noUp, &m_noDown, nullptr);
}

const DialogTemplate* CConfirmDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(m_templateId);
}

void CConfirmDlg::SetPosition(int x, int y, int width, int height) {
    m_position = CRect(x, y, x + width, y + height);
}

void CConfirmDlg::SetCursorObject(CCursor* cursor) {
    m_cursor = cursor;
    m_yes.SetCursorObject(cursor);
    m_no.SetCursorObject(cursor);
}

void CConfirmDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Control(exchange, IDOK, m_yes);
    DDX_Control(exchange, IDCANCEL, m_no);
}

BOOL CConfirmDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_position.Width() == 0 || m_position.Height() == 0) {
        const CSize size = m_background.GetSize();
        m_position = CRect(m_position.TopLeft(), size);
    }
    MoveWindow(m_position.left, m_position.top, m_position.Width(), m_position.Height(), FALSE);
    if (CWnd* placeholder = GetDlgItem(CDialogTemplates::kConfirmPlaceholder)) {
        placeholder->MoveWindow(0, 0, m_position.Width(), m_position.Height(), FALSE);
    }
    const CRect& yes = m_faces.yesRect;
    const CRect& no = m_faces.noRect;
    m_yes.MoveWindow(yes.left, yes.top, yes.Width(), yes.Height(), FALSE);
    m_no.MoveWindow(no.left, no.top, no.Width(), no.Height(), FALSE);
    OnOpened();
    return FALSE;
}

void CConfirmDlg::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CConfirmDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CConfirmDlg::Realize(CDC& dc) {
    if (m_palette == nullptr) return;
    dc.SelectPalette(m_palette, FALSE);
    dc.RealizePalette();
}

void CConfirmDlg::OnPaint() {
    CPaintDC dc(this);
    Realize(dc);
    CRect window;
    GetWindowRect(&window);
    m_background.Paint(dc, 0, 0, window.Width(), window.Height(), nullptr);
}

void CConfirmDlg::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    if (drawItem != nullptr && drawItem->hDC != nullptr) Realize(*drawItem->hDC);
    CDialog::OnDrawItem(controlId, drawItem);
}
