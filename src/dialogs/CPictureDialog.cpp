#include "dialogs/CPictureDialog.h"

#include "imaging/CCursor.h"
#include "platform/window/CDataExchange.h"

CPictureDialog::CPictureDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CPictureDialog::~CPictureDialog() = default;

void CPictureDialog::AddFaceItems(DialogTemplate& layout, std::span<const PictureFace> faces) {
    for (const PictureFace& face : faces) {
        layout.items.push_back({face.id, DialogTemplate::Kind::Button, face.rect,
                                WS_VISIBLE | BS_OWNERDRAW, face.text});
    }
}

void CPictureDialog::AddButtons(const std::string& folder, std::span<const PictureFace> faces) {
    for (const PictureFace& face : faces) {
        CPictureButton& button = AddButton(face.id, face.rect);
        if (face.up == nullptr) continue;
        std::array<CDib, 3>& pictures = m_buttons.back()->pictures;
        pictures[0].Load(folder + face.up);
        pictures[1].Load(folder + face.down);
        CDib* disabled = nullptr;
        if (face.disabled != nullptr) {
            pictures[2].Load(folder + face.disabled);
            disabled = &pictures[2];
        }
        button.SetPictures(&pictures[0], &pictures[1], disabled);
    }
}

CPictureButton& CPictureDialog::AddButton(int id, const CRect& rect) {
    auto entry = std::make_unique<Entry>();
    entry->id = id;
    entry->rect = rect;
    entry->button.SetCursorObject(m_cursor);
    m_buttons.push_back(std::move(entry));
    return m_buttons.back()->button;
}

void CPictureDialog::SetPosition(int x, int y, int width, int height) {
    m_position = CRect(x, y, x + width, y + height);
}

void CPictureDialog::SetCursorObject(CCursor* cursor) {
    m_cursor = cursor;
    for (auto& entry : m_buttons) entry->button.SetCursorObject(cursor);
}

CPictureButton& CPictureDialog::GetButton(int id) {
    for (auto& entry : m_buttons)
        if (entry->id == id) return entry->button;
    return m_buttons.front()->button;
}

void CPictureDialog::DoDataExchange(CDataExchange* exchange) {
    for (auto& entry : m_buttons) DDX_Control(exchange, entry->id, entry->button);
}

void CPictureDialog::PlaceWindow(BOOL repaint, CSize missing) {
    if (m_position.Width() <= 0 || m_position.Height() <= 0) {
        const CSize size = m_background.IsValid() ? m_background.GetSize() : missing;
        m_position = CRect(m_position.TopLeft(), size);
    }
    MoveWindow(m_position.left, m_position.top, m_position.Width(), m_position.Height(), repaint);
}

void CPictureDialog::PlaceOverWindow(int id) {
    if (CWnd* control = GetDlgItem(id))
        control->MoveWindow(0, 0, m_position.Width(), m_position.Height(), FALSE);
}

void CPictureDialog::PlaceButtons(BOOL repaint) {
    for (auto& entry : m_buttons) {
        const CRect& r = entry->rect;
        entry->button.MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint);
    }
}

void CPictureDialog::RealizePalette(CDC& dc) const {
    if (m_palette == nullptr) return;
    dc.SelectPalette(m_palette, FALSE);
    dc.RealizePalette();
}

void CPictureDialog::PaintBackground(CDC& dc, CDib& picture) {
    RealizePalette(dc);
    CRect client;
    GetClientRect(&client);
    picture.Paint(dc, 0, 0, client.Width(), client.Height(), m_palette);
}

void CPictureDialog::PaintBackgroundAsStored(CDC& dc) {
    RealizePalette(dc);
    CRect window;
    GetWindowRect(&window);
    m_background.Paint(dc, 0, 0, window.Width(), window.Height(), nullptr);
}

BOOL CPictureDialog::OnEraseBkgnd(CDC*) {
    // The background picture covers the whole window.
    return TRUE;
}

void CPictureDialog::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    if (drawItem != nullptr && drawItem->hDC != nullptr) RealizePalette(*drawItem->hDC);
    CDialog::OnDrawItem(controlId, drawItem);
}

BOOL CPictureDialog::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_cursor == nullptr) return CDialog::OnSetCursor(wnd, hitTest, message);
    m_cursor->SetShape(CursorShape::Pointer);
    return TRUE;
}
