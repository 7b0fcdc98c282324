#pragma once
#include <vector>

#include "platform/base/CRect.h"

// The parts of a surface drawn since they were last shown, as a few rectangles. Nearby
// rectangles are merged so the list stays short; past kMaxRects each new rectangle joins
// the one it grows least, so the region only ever over-covers what was drawn.
class ChangedRegion {
  public:
    static constexpr std::size_t kMaxRects = 16;

    void Add(const CRect& rect);
    void Clear() { m_rects.clear(); }
    bool IsEmpty() const { return m_rects.empty(); }
    const std::vector<CRect>& Rects() const { return m_rects; }
    // The smallest rectangle holding the whole region (empty when nothing changed).
    CRect Bounds() const;

  private:
    std::vector<CRect> m_rects;
};
