#pragma once
#include <memory>
#include <string>

#include "platform/draw/CDC.h"
#include "platform/print/CFont.h"
#include "platform/print/PrintTypes.h"

// A printer's device context: pages drawn in device units (the printer's dots, origin at
// the top left of the printable area) into a PDF document, which EndDoc hands to the
// print queue (or leaves in the output file that StartDoc named).
//
// Pictures are drawn with nearest-neighbour scaling so their pixels stay crisp; text is
// laid out with pango in the selected font. Measuring text (DT_CALCRECT, GetTextMetrics)
// works at any time; drawing happens only between StartPage and EndPage.
class CPrinterDC : public CDC {
  public:
    explicit CPrinterDC(const PrinterPage& page);
    ~CPrinterDC() override;
    CPrinterDC(const CPrinterDC&) = delete;
    CPrinterDC& operator=(const CPrinterDC&) = delete;

    const PrinterPage& GetPage() const;

    // HORZRES/VERTRES: the printable area in device units; LOGPIXELSX/Y: the resolution;
    // PHYSICAL*: the sheet and the printable area's offset; BITSPIXEL: 24.
    int GetDeviceCaps(int index) const override;
    int StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                      int hSrc, const void* bits, const BITMAPINFO* info, UINT usage,
                      DWORD rop) override;
    // A printer has no hardware palette: pictures print with their own colours.
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground) override;
    UINT RealizePalette() override;
    int SetStretchBltMode(int mode) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;

    // Documents and pages: > 0 on success, SP_ERROR on failure.
    int StartDoc(const DOCINFO* info);
    int StartDoc(const char* documentName);
    int StartPage();
    int EndPage();
    // Finishes the PDF and sends it to the printer as one job named as the document.
    // SP_ERROR when the document could not be written or the printer refused it.
    int EndDoc();
    // Drops the document being built; nothing is printed.
    int AbortDoc();

    // Only MM_TEXT is supported; returns the previous mode, 0 for any other mode.
    int SetMapMode(int mode);
    // Text in the selected font (CDC::SelectObject), colour and background mode.
    int DrawText(const std::string& text, CRect* rect, UINT format) override;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
