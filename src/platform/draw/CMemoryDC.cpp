#include "platform/draw/CMemoryDC.h"

#include <cairo.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/draw/CTextCanvas.h"
#include "platform/draw/DibLayout.h"
#include "platform/print/CPangoText.h"

namespace {

// The source column of every visible destination column, -1 where it falls outside the
// picture.
std::vector<int> SourceColumns(const CRect& visible, int destLeft, int wDest, int xSrc, int wSrc,
                               int width) {
    std::vector<int> columns(static_cast<std::size_t>(visible.Width()));
    for (int sx = visible.left; sx < visible.right; ++sx) {
        const int px =
            xSrc + static_cast<int>((static_cast<long long>(sx - destLeft) * wSrc) / wDest);
        columns[static_cast<std::size_t>(sx - visible.left)] = px >= 0 && px < width ? px : -1;
    }
    return columns;
}

// What a picture's rows remember of the nearest hardware colours on an 8-bit surface: a
// colour-table source maps each table entry once, and a true-colour source asks only when
// a colour differs from its left neighbour's (pictures are mostly runs of one colour).
struct NearestMemo {
    std::array<int, 256> tableIndex;
    std::uint32_t lastColour = ~std::uint32_t{0};  // no colour has all 32 bits set
    BYTE lastIndex = 0;
    NearestMemo() { tableIndex.fill(-1); }
};

void PaintTrueColourRow(const DibLayout& dib, const BYTE* row, const std::vector<int>& columns,
                        BYTE* out) {
    for (std::size_t i = 0; i < columns.size(); ++i, out += 4) {
        if (columns[i] < 0) continue;
        const COLORREF c = dib.PixelAt(row, columns[i]);
        out[0] = GetBValue(c);
        out[1] = GetGValue(c);
        out[2] = GetRValue(c);
        out[3] = 255;
    }
}

void PaintNearestRow(const DibLayout& dib, const BYTE* row, const std::vector<int>& columns,
                     const CSurface& surface, NearestMemo& memo, BYTE* out) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] < 0) continue;
        const COLORREF colour = dib.PixelAt(row, columns[i]);
        if (colour != memo.lastColour) {
            memo.lastColour = colour;
            memo.lastIndex =
                surface.NearestIndex(GetRValue(colour), GetGValue(colour), GetBValue(colour));
        }
        out[i] = memo.lastIndex;
    }
}

void PaintTableRow(const DibLayout& dib, const BYTE* row, const std::vector<int>& columns,
                   const CSurface& surface, NearestMemo& memo, BYTE* out) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] < 0) continue;
        const int x = columns[i];
        const int index = dib.IndexAt(row, x);
        if (memo.tableIndex[index] < 0) {
            const COLORREF c = dib.PixelAt(row, x);
            memo.tableIndex[index] = surface.NearestIndex(GetRValue(c), GetGValue(c), GetBValue(c));
        }
        out[i] = static_cast<BYTE>(memo.tableIndex[index]);
    }
}

// One source row onto surface row `y` from column `left`, by the depths of both.
void PaintRow(const DibLayout& dib, const BYTE* row, const std::vector<int>& columns,
              CSurface& surface, NearestMemo& memo, int y, int left) {
    BYTE* out = surface.Row(y);
    if (surface.BitsPerPixel() != 8) {
        PaintTrueColourRow(dib, row, columns, out + left * 4);
    } else if (dib.bitCount >= 16) {
        PaintNearestRow(dib, row, columns, surface, memo, out + left);
    } else {
        PaintTableRow(dib, row, columns, surface, memo, out + left);
    }
}

}  // namespace

CMemoryDC::CMemoryDC(CSurface& surface, CPoint origin, const CRect& clip)
    : m_surface(surface), m_origin(origin), m_displaySize(surface.Width(), surface.Height()) {
    m_clip.IntersectRect(clip, CRect(0, 0, surface.Width(), surface.Height()));
    // The display's own font: bold sans-serif in lines of 16 pixels.
    m_deviceFont.CreateFont(16, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "");
}

CMemoryDC::~CMemoryDC() = default;

CMemoryDC::CMemoryDC(CSurface& surface)
    : CMemoryDC(surface, CPoint(0, 0), CRect(0, 0, surface.Width(), surface.Height())) {}

int CMemoryDC::GetDeviceCaps(int index) const {
    switch (index) {
        case BITSPIXEL:
            return m_surface.BitsPerPixel() == 8 ? 8 : 24;
        case HORZRES:
            return m_displaySize.cx;
        case VERTRES:
            return m_displaySize.cy;
        default:
            return 0;
    }
}

int CMemoryDC::StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                             int wSrc, int hSrc, const void* bits, const BITMAPINFO* info,
                             UINT /*usage*/, DWORD /*rop*/) {
    DibLayout dib;
    if (bits == nullptr || info == nullptr || !dib.Describe(info)) return 0;
    if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0) return 0;
    const BYTE* source = static_cast<const BYTE*>(bits);

    // Destination pixels are visited only inside the clip; each picks its source pixel by
    // nearest-neighbour scaling (COLORONCOLOR: no blending).
    CRect dest(xDest + m_origin.x, yDest + m_origin.y, xDest + m_origin.x + wDest,
               yDest + m_origin.y + hDest);
    CRect visible;
    if (!visible.IntersectRect(dest, m_clip)) return hSrc;
    const std::vector<int> columns =
        SourceColumns(visible, dest.left, wDest, xSrc, wSrc, dib.width);
    m_surface.MarkChanged(visible);
    NearestMemo memo;
    // The top source row of the rectangle, counted from the top of the picture.
    const int topRowFromTop = dib.bottomUp ? dib.height - (ySrc + hSrc) : ySrc;
    for (int sy = visible.top; sy < visible.bottom; ++sy) {
        const int rowInRect =
            static_cast<int>((static_cast<long long>(sy - dest.top) * hSrc) / hDest);
        const int pictureRow = topRowFromTop + rowInRect;
        if (pictureRow < 0 || pictureRow >= dib.height) continue;
        PaintRow(dib, dib.Row(source, dib.StoredRow(pictureRow)), columns, m_surface, memo, sy,
                 visible.left);
    }
    return hSrc;
}

CPalette* CMemoryDC::SelectPalette(CPalette* palette, BOOL /*forceBackground*/) {
    CPalette* previous = m_selected;
    m_selected = palette;
    return previous;
}

UINT CMemoryDC::RealizePalette() {
    if (m_selected == nullptr || m_surface.BitsPerPixel() != 8) return 0;
    return m_surface.RealizePalette(*m_selected);
}

int CMemoryDC::SetStretchBltMode(int mode) {
    const int previous = m_stretchMode;
    m_stretchMode = mode;
    return previous;
}

void CMemoryDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    CRect r = rect;
    r.OffsetRect(m_origin.x, m_origin.y);
    CRect visible;
    if (!visible.IntersectRect(r, m_clip)) return;
    m_surface.MarkChanged(visible);
    const bool paletteTarget = m_surface.BitsPerPixel() == 8;
    const BYTE index = paletteTarget ? m_surface.NearestIndex(GetRValue(colour), GetGValue(colour),
                                                              GetBValue(colour))
                                     : 0;
    for (int y = visible.top; y < visible.bottom; ++y) {
        BYTE* row = m_surface.Row(y);
        for (int x = visible.left; x < visible.right; ++x) {
            if (paletteTarget) {
                row[x] = index;
            } else {
                BYTE* p = row + x * 4;
                p[0] = GetBValue(colour);
                p[1] = GetGValue(colour);
                p[2] = GetRValue(colour);
                p[3] = 255;
            }
        }
    }
}

const CFont& CMemoryDC::TextFont() const {
    return SelectedFont() != nullptr ? *SelectedFont() : m_deviceFont;
}

CPangoText& CMemoryDC::Text() {
    if (!m_text) m_text = std::make_unique<CPangoText>();
    return *m_text;
}

int CMemoryDC::DrawText(const std::string& text, CRect* rect, UINT format) {
    if (rect == nullptr) return 0;
    if (format & DT_CALCRECT) {
        const CSize extent = Text().Measure(TextFont(), text, *rect, format);
        rect->right = rect->left + extent.cx;
        rect->bottom = rect->top + extent.cy;
        return extent.cy;
    }
    // Only the pixels the text may touch are handed to cairo.
    CRect area = m_clip;
    if (!(format & DT_NOCLIP)) {
        CRect onSurface = *rect;
        onSurface.OffsetRect(m_origin.x, m_origin.y);
        area.IntersectRect(area, onSurface);
    }
    CTextCanvas canvas(m_surface, area);
    m_surface.MarkChanged(area);
    if (canvas.Context() == nullptr) return Text().Measure(TextFont(), text, *rect, format).cy;
    cairo_translate(canvas.Context(), m_origin.x, m_origin.y);
    return Text().Draw(canvas.Context(), TextFont(), text, *rect, format, Ink());
}

BOOL CMemoryDC::GetTextMetrics(TEXTMETRIC* metrics) {
    return Text().GetMetrics(TextFont(), metrics) ? TRUE : FALSE;
}
