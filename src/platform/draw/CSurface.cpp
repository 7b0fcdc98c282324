#include "platform/draw/CSurface.h"

#include <algorithm>

CSurface::CSurface(int width, int height, int bitsPerPixel)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_bitsPerPixel(bitsPerPixel == 8 ? 8 : 32),
      m_stride(m_width * (m_bitsPerPixel / 8)),
      m_pixels(static_cast<std::size_t>(m_stride) * m_height, 0) {
    // Until a palette is realised an 8-bit display shows a grey ramp.
    for (int i = 0; i < 256; ++i) {
        const BYTE v = static_cast<BYTE>(i);
        m_hardware[i] = PALETTEENTRY{v, v, v, 0};
    }
    if (m_bitsPerPixel == 32) Fill(RGB(0, 0, 0));
}

COLORREF CSurface::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const std::uint8_t* p = Row(y) + x * (m_bitsPerPixel / 8);
    if (m_bitsPerPixel == 8) {
        const PALETTEENTRY& e = m_hardware[*p];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    return RGB(p[2], p[1], p[0]);
}

void CSurface::MarkChanged(const CRect& rect) {
    CRect visible;
    if (visible.IntersectRect(rect, CRect(0, 0, m_width, m_height))) m_changed.Add(visible);
}

void CSurface::Fill(COLORREF colour) {
    MarkAllChanged();
    if (m_bitsPerPixel == 8) {
        std::fill(m_pixels.begin(), m_pixels.end(),
                  NearestIndex(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
        return;
    }
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* p = Row(y);
        for (int x = 0; x < m_width; ++x, p += 4) {
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
            p[3] = 255;
        }
    }
}

UINT CSurface::RealizePalette(const CPalette& palette) {
    UINT changed = 0;
    const auto& entries = palette.Entries();
    const std::size_t n = std::min<std::size_t>(entries.size(), m_hardware.size());
    for (std::size_t i = 0; i < n; ++i) {
        const PALETTEENTRY& e = entries[i];
        PALETTEENTRY& h = m_hardware[i];
        if (h.peRed != e.peRed || h.peGreen != e.peGreen || h.peBlue != e.peBlue) {
            h = PALETTEENTRY{e.peRed, e.peGreen, e.peBlue, 0};
            ++changed;
        }
    }
    if (changed != 0) {
        m_nearestMemo.clear();
        // Every pixel shows through the palette, so a new palette changes them all.
        MarkAllChanged();
    }
    return changed;
}

BYTE CSurface::NearestIndex(BYTE r, BYTE g, BYTE b) const {
    constexpr std::size_t kSlots = 1 << 16;
    if (m_nearestMemo.empty()) m_nearestMemo.assign(kSlots, kEmptySlot);
    const std::uint32_t colour = (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
    const std::size_t slot = ((colour * 2654435761u) >> 16) & (kSlots - 1);
    const std::uint64_t entry = m_nearestMemo[slot];
    if (entry != kEmptySlot && (entry >> 8) == colour) return static_cast<BYTE>(entry & 0xFF);
    const BYTE index = SearchNearest(r, g, b);
    m_nearestMemo[slot] = (std::uint64_t{colour} << 8) | index;
    return index;
}

BYTE CSurface::SearchNearest(BYTE r, BYTE g, BYTE b) const {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = m_hardware[i];
        const int dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0) break;
        }
    }
    return static_cast<BYTE>(best);
}
