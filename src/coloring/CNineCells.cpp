#include "coloring/CNineCells.h"

#include <algorithm>

void CNineCells::Split(CRect& outer, const CRect& inner, std::array<CRect, 9>& cells) {
    cells.fill(CRect(0, 0, 0, 0));
    if (outer.Width() == 0) return;
    const int L = outer.left, T = outer.top, R = outer.right, B = outer.bottom;
    const int l = inner.left, t = inner.top, r = inner.right, b = inner.bottom;
    const bool above = t > T, across = t < B && T < b, below = b < B;
    auto column = [&](int first, int left, int right) {
        if (above) cells[first] = CRect(left, T, right, t);
        if (across) cells[first + 3] = CRect(left, std::max(t, T), right, std::min(b, B));
        if (below) cells[first + 6] = CRect(left, b, right, B);
    };
    if (l > L) column(0, L, l);
    if (l < R && r > L) column(1, std::max(l, L), std::min(r, R));
    if (r < R) column(2, r, R);
    outer = CRect(0, 0, 0, 0);
}
