#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/draw/CPalette.h"
#include "platform/draw/ChangedRegion.h"

// A framebuffer in memory: the display of both backends and the target of memory
// device contexts. True-colour surfaces hold 4 bytes a pixel (blue, green, red, 255);
// 8-bit surfaces hold palette indices into the surface's hardware palette, which
// RealizePalette fills. Rows are top-down.
class CSurface {
  public:
    CSurface(int width, int height, int bitsPerPixel);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitsPerPixel() const { return m_bitsPerPixel; }
    int Stride() const { return m_stride; }
    std::uint8_t* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_stride; }
    const std::uint8_t* Row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_stride;
    }

    // The colour shown at (x, y) as a COLORREF (red in the low byte); 0 outside the surface.
    COLORREF GetPixel(int x, int y) const;
    void Fill(COLORREF colour);

    // What was drawn since the display last showed the surface. Drawing marks the
    // rectangles it touched; filling and a palette change mark the whole surface.
    void MarkChanged(const CRect& rect);
    void MarkAllChanged() { MarkChanged(CRect(0, 0, m_width, m_height)); }
    const ChangedRegion& Changed() const { return m_changed; }
    void ClearChanged() { m_changed.Clear(); }

    // 8-bit surfaces: the hardware palette. Realising copies a logical palette into it
    // and answers how many entries changed.
    const std::array<PALETTEENTRY, 256>& HardwarePalette() const { return m_hardware; }
    UINT RealizePalette(const CPalette& palette);
    // The index whose hardware colour is nearest to (r, g, b). Answers are remembered
    // until the hardware palette changes, so drawing true-colour pictures on an 8-bit
    // surface costs a table probe per pixel rather than a palette search.
    BYTE NearestIndex(BYTE r, BYTE g, BYTE b) const;

  private:
    int m_width;
    int m_height;
    int m_bitsPerPixel;
    int m_stride;
    std::vector<std::uint8_t> m_pixels;
    std::array<PALETTEENTRY, 256> m_hardware{};
    ChangedRegion m_changed;
    // Direct-mapped memo of NearestIndex: each slot holds colour << 8 | index, or
    // kEmptySlot. Exact, since a slot answers only for the colour stored in it.
    static constexpr std::uint64_t kEmptySlot = ~std::uint64_t{0};
    mutable std::vector<std::uint64_t> m_nearestMemo;
    BYTE SearchNearest(BYTE r, BYTE g, BYTE b) const;
};
