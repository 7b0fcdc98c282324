#pragma once
#include <memory>

#include "platform/draw/CDC.h"
#include "platform/draw/CSurface.h"
#include "platform/print/CFont.h"

class CPangoText;

// A device context drawing into a CSurface: the display of both backends, a window's
// client area on it (origin and clip), or an off-screen picture.
class CMemoryDC : public CDC {
  public:
    // `origin` is where the context's (0, 0) lies on the surface; `clip` is in surface
    // coordinates and is further limited to the surface.
    CMemoryDC(CSurface& surface, CPoint origin, const CRect& clip);
    explicit CMemoryDC(CSurface& surface);
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // The display size reported as HORZRES and VERTRES (the surface size by default).
    void SetDisplaySize(CSize size) { m_displaySize = size; }
    CSurface& Surface() { return m_surface; }
    CPoint Origin() const { return m_origin; }
    const CRect& Clip() const { return m_clip; }

    int GetDeviceCaps(int index) const override;
    int StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                      int hSrc, const void* bits, const BITMAPINFO* info, UINT usage,
                      DWORD rop) override;
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground) override;
    UINT RealizePalette() override;
    int SetStretchBltMode(int mode) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    // Text is laid out with pango and drawn antialiased over the surface's pixels; on an
    // 8-bit surface every pixel the letters change takes the nearest hardware colour.
    // Without a selected font a window's text is in the display's own font: a bold
    // sans-serif face in 16-pixel lines.
    int DrawText(const std::string& text, CRect* rect, UINT format) override;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) override;

  private:
    const CFont& TextFont() const;
    CPangoText& Text();

    CSurface& m_surface;
    CPoint m_origin;
    CRect m_clip;
    CSize m_displaySize;
    CPalette* m_selected = nullptr;
    int m_stretchMode = COLORONCOLOR;
    CFont m_deviceFont;
    std::unique_ptr<CPangoText> m_text;  // made on the first text call
};
