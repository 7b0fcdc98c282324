#pragma once
#include <string>

#include "platform/draw/CPalette.h"
#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"
#include "platform/print/PrintTypes.h"

class CFont;

// A device context: the one way pictures reach a display, a window or a printer page.
// Coordinates are the context's own (a window's client area for a window context).
class CDC {
  public:
    virtual ~CDC() = default;

    // BITSPIXEL of the target; HORZRES and VERTRES of the display it belongs to.
    virtual int GetDeviceCaps(int index) const = 0;

    // Stretches the source rectangle of a device-independent bitmap onto the destination
    // rectangle. As with bottom-up bitmaps everywhere, ySrc counts from the bottom row of
    // the bitmap. Returns the number of source rows used, 0 on failure.
    virtual int StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                              int wSrc, int hSrc, const void* bits, const BITMAPINFO* info,
                              UINT usage, DWORD rop) = 0;

    // Selects a palette for the following draws; returns the previously selected one.
    virtual CPalette* SelectPalette(CPalette* palette, BOOL forceBackground) = 0;
    // Maps the selected palette into the target's hardware palette (8-bit targets);
    // returns how many hardware entries changed.
    virtual UINT RealizePalette() = 0;
    virtual int SetStretchBltMode(int mode) = 0;
    virtual void FillSolidRect(const CRect& rect, COLORREF colour) = 0;

    // Text. A context starts with its device's own font, black letters and an opaque
    // white background.
    //
    // Selects a created font for the text calls; returns the previous selection (null for
    // the device's font). A font that was never created is refused (null, nothing changes).
    CFont* SelectObject(CFont* font);
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_ink.colour; }
    // The colour filled behind the letters in OPAQUE mode.
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_ink.background; }
    // TRANSPARENT or OPAQUE; returns the previous mode, 0 for any other mode.
    int SetBkMode(int mode);
    int GetBkMode() const { return m_ink.opaque ? OPAQUE : TRANSPARENT; }

    // Draws (or with DT_CALCRECT measures) text in `rect` with the DT_* `format`: wrapped
    // at the rectangle's width with DT_WORDBREAK, aligned with DT_LEFT, DT_CENTER or
    // DT_RIGHT, one line placed with DT_SINGLELINE and DT_VCENTER or DT_BOTTOM, clipped
    // to the rectangle unless DT_NOCLIP. Returns the height of the text, 0 on failure.
    // Measuring moves rect's right and bottom edges to the extent of the text.
    virtual int DrawText(const std::string& text, CRect* rect, UINT format) = 0;
    virtual BOOL GetTextMetrics(TEXTMETRIC* metrics) = 0;
    // One line with its top left corner at (x, y), unclipped by any rectangle.
    BOOL TextOut(int x, int y, const std::string& text);

  protected:
    // The font selected, null for the device's own.
    CFont* SelectedFont() const { return m_font; }
    const TextInk& Ink() const { return m_ink; }

  private:
    CFont* m_font = nullptr;
    TextInk m_ink{RGB(0, 0, 0), RGB(255, 255, 255), true};
};
