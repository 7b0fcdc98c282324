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
        if (face.up == nullptr) {
            AddButton(face.id, face.rect);
            continue;
        }
        const std::string disabled = face.disabled != nullptr ? folder + face.disabled : "";
        LoadPictures(face.id, face.rect, folder + face.up, folder + face.down,
                     face.disabled != nullptr ? &disabled : nullptr);
    }
}

void CPictureDialog::AddButtons(const ScreenLayout& screen) {
    for (const ControlLayout& control : screen.controls) {
        if (control.kind != ControlKind::PictureButton || !control.HasFaces()) continue;
        const std::string disabled =
            control.disabled != nullptr ? screen.PathOf(control.disabled) : "";
        LoadPictures(control.id, control.rect, screen.PathOf(control.up),
                     screen.PathOf(control.down),
                     control.disabled != nullptr ? &disabled : nullptr);
    }
}

void CPictureDialog::LoadPictures(int id, const CRect& rect, const std::string& up,
                                  const std::string& down, const std::string* disabled) {
    CPictureButton& button = AddButton(id, rect);
    std::array<CDib, 3>& pictures = m_buttons.back()->pictures;
    pictures[0].Load(up);
    pictures[1].Load(down);
    CDib* disabledPicture = nullptr;
    if (disabled != nullptr) {
        pictures[2].Load(*disabled);
        disabledPicture = &pictures[2];
    }
    button.SetPictures(&pictures[0], &pictures[1], disabledPicture);
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
