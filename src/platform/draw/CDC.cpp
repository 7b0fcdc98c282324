#include "platform/draw/CDC.h"

#include <utility>

#include "platform/print/CFont.h"

CFont* CDC::SelectObject(CFont* font) {
    if (font != nullptr && !font->IsCreated()) return nullptr;
    return std::exchange(m_font, font);
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(m_ink.colour, colour);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(m_ink.background, colour);
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    const int previous = GetBkMode();
    m_ink.opaque = mode == OPAQUE;
    return previous;
}

BOOL CDC::TextOut(int x, int y, const std::string& text) {
    CRect at(x, y, x, y);
    return DrawText(text, &at, DT_SINGLELINE | DT_NOCLIP | DT_LEFT) > 0 || text.empty();
}
