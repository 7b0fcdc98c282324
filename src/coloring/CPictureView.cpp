#include "coloring/CPictureView.h"

#include "models/CGlimImage.h"
#include "platform/draw/CPalette.h"
#include "platform/window/CWnd.h"

bool CPictureView::Show(CGlimImage& picture, CWnd* window) {
    m_window = window;
    picture.SetShown(window != nullptr);
    return DrawWhole(picture);
}

bool CPictureView::DrawChanged(CGlimImage& picture) {
    return Redraw(picture, false);
}

bool CPictureView::DrawWhole(CGlimImage& picture) {
    return Redraw(picture, true);
}

PictureRefresh CPictureView::Refresher() {
    return [this](CGlimImage& picture) { DrawChanged(picture); };
}

CWnd* CPictureView::WindowFor(const CGlimImage& picture) const {
    return picture.IsShown() ? m_window : nullptr;
}

// Whatever was drawn, the changed area is forgotten: the next refresh starts afresh.
bool CPictureView::Redraw(CGlimImage& picture, bool whole) {
    CWnd* window = WindowFor(picture);
    if (window == nullptr) return false;
    CRect area = picture.GetChangedArea();
    if (whole) window->GetClientRect(&area);
    const bool drawn = DrawArea(picture, area);
    picture.ForgetChanges();
    return drawn;
}

bool CPictureView::DrawArea(CGlimImage& picture, const CRect& area) {
    CWnd* window = WindowFor(picture);
    if (area.right == area.left || window == nullptr) return false;
    CDib* canvas = picture.GetCanvasToDraw();
    if (canvas == nullptr) return false;
    const CSize size = canvas->GetSize();
    CRect source;
    source.IntersectRect(area, CRect(0, 0, size.cx, size.cy));
    CDC* dc = window->GetDC();
    if (dc == nullptr) return false;
    if (!source.IsRectEmpty())
        canvas->PaintRect(*dc, source.TopLeft(), source.Size(), source, m_palette);
    picture.ForgetDrawn(area);
    window->ReleaseDC(dc);
    return true;
}
