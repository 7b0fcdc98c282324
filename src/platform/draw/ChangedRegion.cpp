#include "platform/draw/ChangedRegion.h"

#include <cstdint>

namespace {

std::int64_t Area(const CRect& r) {
    return static_cast<std::int64_t>(r.Width()) * r.Height();
}

CRect Union(const CRect& a, const CRect& b) {
    CRect u;
    u.UnionRect(a, b);
    return u;
}

// Two rectangles are worth one when their union wastes no more than a small brush's
// worth of pixels: presenting a few extra pixels is cheaper than another rectangle.
bool WorthMerging(const CRect& a, const CRect& b) {
    constexpr std::int64_t kSlack = 32 * 32;
    return Area(Union(a, b)) <= Area(a) + Area(b) + kSlack;
}

}  // namespace

void ChangedRegion::Add(const CRect& rect) {
    if (rect.IsRectEmpty()) return;
    CRect merged = rect;
    // Merging can make the new rectangle reach others, so scan again after each merge.
    for (std::size_t i = 0; i < m_rects.size();) {
        if (WorthMerging(merged, m_rects[i])) {
            merged = Union(merged, m_rects[i]);
            m_rects.erase(m_rects.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
        } else {
            ++i;
        }
    }
    if (m_rects.size() < kMaxRects) {
        m_rects.push_back(merged);
        return;
    }
    std::size_t best = 0;
    std::int64_t bestGrowth = INT64_MAX;
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        const std::int64_t growth = Area(Union(merged, m_rects[i])) - Area(m_rects[i]);
        if (growth < bestGrowth) {
            bestGrowth = growth;
            best = i;
        }
    }
    const CRect joined = Union(merged, m_rects[best]);
    m_rects.erase(m_rects.begin() + static_cast<std::ptrdiff_t>(best));
    Add(joined);
}

CRect ChangedRegion::Bounds() const {
    CRect bounds;
    for (const CRect& r : m_rects) bounds.UnionRect(bounds, r);
    return bounds;
}
