#include "dialogs/CPictureButton.h"

#include "imaging/CCursor.h"
#include "imaging/CDib.h"

CPictureButton::CPictureButton() {
    ClearPictures();
}

CPictureButton::~CPictureButton() {
    ClearPictures();
}

void CPictureButton::SetPictures(CDib* up, CDib* down, CDib* disabled) {
    m_up = up;
    m_down = down;
    m_disabled = disabled;
    m_hasPictures = true;
}

void CPictureButton::AddFrames(CDib* const* frames, int count) {
    for (int i = 0; i < count; ++i) {
        // A full list refuses the rest of the call, mode and index included.
        if (m_frameCount == kMaxFrames) return;
        m_frames[static_cast<std::size_t>(m_frameCount++)] = frames[i];
    }
    if (m_frameIndex == -1) m_frameIndex = 0;
    m_mode = Mode::Cycle;
    m_hasPictures = true;
}

void CPictureButton::ClearPictures() {
    m_hasPictures = false;
    m_up = nullptr;
    m_down = nullptr;
    m_disabled = nullptr;
    m_frameCount = 0;
}

void CPictureButton::Latch(bool on) {
    m_on = on;
    InvalidateRect(nullptr, TRUE);
    ShowWindow(SW_SHOWNA);
}

void CPictureButton::SetOn() {
    Latch(true);
}

void CPictureButton::SetOff() {
    Latch(false);
}

void CPictureButton::Toggle() {
    Latch(!m_on);
}

void CPictureButton::Click() {
    switch (m_mode) {
        case Mode::Push:
            SetOff();
            break;
        case Mode::Toggle:
            Toggle();
            break;
        case Mode::Cycle:
            ++m_frameIndex;
            if (m_frameIndex >= m_frameCount) m_frameIndex = 0;
            break;
    }
}

void CPictureButton::SetFrameIndex(int index) {
    if (index >= 0 && index < m_frameCount) m_frameIndex = index;
}

CDib* CPictureButton::NextFrame() const {
    if (m_frameCount <= 0) return nullptr;
    int next = m_frameIndex + 1;
    if (next >= m_frameCount) next = 0;
    return m_frames[static_cast<std::size_t>(next)];
}

CDib* CPictureButton::ChoosePicture(UINT itemState) const {
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    const bool pressed = (itemState & ODS_SELECTED) != 0;
    switch (m_mode) {
        case Mode::Push:
            if (disabled) return m_disabled;
            return pressed || m_on ? m_down : m_up;
        case Mode::Toggle:
            if (disabled) return m_disabled;
            // While held the picture on screen stays until the owner's Click() repaints it.
            if (pressed) return nullptr;
            return m_on ? m_down : m_up;
        case Mode::Cycle:
            // Held down (or latched) the button previews the frame a click selects.
            if (pressed || m_on) return NextFrame();
            if (m_frameIndex < 0 || m_frameIndex >= m_frameCount) return nullptr;
            return m_frames[static_cast<std::size_t>(m_frameIndex)];
    }
    return nullptr;
}

void CPictureButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    if (!m_hasPictures || drawItem == nullptr || drawItem->hDC == nullptr) return;
    CDib* picture = ChoosePicture(drawItem->itemState);
    if (picture == nullptr) return;
    CRect window;
    GetWindowRect(&window);
    picture->Paint(*drawItem->hDC, 0, 0, window.Width(), window.Height(), nullptr);
}

BOOL CPictureButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

BOOL CPictureButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_cursor == nullptr) return CButton::OnSetCursor(wnd, hitTest, message);
    m_cursor->SetShape(CursorShape::Wand);
    return TRUE;
}

void CPictureButton::OnLButtonUp(UINT flags, CPoint point) {
    // The parent hears of every release, so a brush stroke ending over a button ends.
    if (GetParent() != nullptr) {
        GetParent()->SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
    }
    CButton::OnLButtonUp(flags, point);
}
