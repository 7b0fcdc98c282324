#pragma once
#include "platform/CPalette.h"
#include "platform/CRect.h"
#include "platform/WinTypes.h"

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
};
