#include "coloring/CCrayonRing.h"

namespace {

constexpr COLORREF kDark = RGB(73, 36, 0);
constexpr COLORREF kBright = RGB(255, 255, 255);

// The frame `thickness` wide just inside `outer`, each side clipped to `box`.
void Frame(CDC& dc, const CRect& outer, int thickness, const CRect& box, COLORREF colour) {
    const CRect sides[] = {
        CRect(outer.left, outer.top, outer.right, outer.top + thickness),
        CRect(outer.left, outer.bottom - thickness, outer.right, outer.bottom),
        CRect(outer.left, outer.top + thickness, outer.left + thickness, outer.bottom - thickness),
        CRect(outer.right - thickness, outer.top + thickness, outer.right,
              outer.bottom - thickness),
    };
    for (const CRect& side : sides) {
        CRect shown;
        if (shown.IntersectRect(side, box)) dc.FillSolidRect(shown, colour);
    }
}

}  // namespace

void CCrayonRing::Paint(CDC& dc, const CRect& crayon, const CRect& box) {
    Frame(dc, crayon, kWidth, box, kDark);
    const CRect band(crayon.left + 1, crayon.top + 1, crayon.right - 1, crayon.bottom - 1);
    Frame(dc, band, kWidth - 2, box, kBright);
}
