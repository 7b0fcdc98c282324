#pragma once
#include "platform/CDC.h"
#include "platform/CSurface.h"

// A device context drawing into a CSurface: the display of both backends, a window's
// client area on it (origin and clip), or an off-screen picture.
class CMemoryDC : public CDC {
public:
    // `origin` is where the context's (0, 0) lies on the surface; `clip` is in surface
    // coordinates and is further limited to the surface.
    CMemoryDC(CSurface& surface, CPoint origin, const CRect& clip);
    explicit CMemoryDC(CSurface& surface);

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

private:
    CSurface& m_surface;
    CPoint m_origin;
    CRect m_clip;
    CSize m_displaySize;
    CPalette* m_selected = nullptr;
    int m_stretchMode = COLORONCOLOR;
};
