#include "platform/print/CPrinterDC.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/base/FreeWith.h"
#include "platform/draw/DibLayout.h"
#include "platform/print/CPangoText.h"
#include "platform/print/CPrintQueue.h"

namespace {

// Source pixel (x, picture row y counted from the top) as cairo's 0x00RRGGBB.
uint32_t SourcePixel(const DibLayout& d, const BYTE* bits, int x, int y) {
    const COLORREF c = d.PixelAt(d.Row(bits, d.StoredRow(y)), x);
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

using SurfacePtr = std::unique_ptr<cairo_surface_t, FreeWith<cairo_surface_destroy>>;

// The source rectangle (picture rows from the top) copied into a cairo image.
SurfacePtr CopySource(const DibLayout& d, const BYTE* bits, const CRect& source) {
    SurfacePtr image(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, source.Width(), source.Height()));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(image.get());
    BYTE* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < source.Height(); ++y) {
        auto* out = reinterpret_cast<uint32_t*>(data + std::size_t(stride) * y);
        for (int x = 0; x < source.Width(); ++x) {
            out[x] = SourcePixel(d, bits, source.left + x, source.top + y);
        }
    }
    cairo_surface_mark_dirty(image.get());
    return image;
}

std::string TemporaryPdfPath() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern =
        std::string(dir != nullptr && *dir ? dir : "/tmp") + "/talewick-print-XXXXXX.pdf";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkstemps(buffer.data(), 4);
    if (fd < 0) return {};
    close(fd);
    return buffer.data();
}

int DeviceUnits(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace

struct CPrinterDC::Impl {
    PrinterPage page;
    CPangoText text;
    CFont defaultFont;
    int stretchMode = COLORONCOLOR;
    int mapMode = MM_TEXT;

    // The document being built.
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::string documentName;
    std::string pdfPath;
    bool toFile = false;
    bool inPage = false;
    int pages = 0;

    explicit Impl(const PrinterPage& p) : page(p) {}
    ~Impl() { CloseDocument(true); }

    bool InDocument() const { return surface != nullptr; }

    bool OpenDocument(const DOCINFO* info) {
        toFile = info->lpszOutput != nullptr && *info->lpszOutput != '\0';
        pdfPath = toFile ? std::string(info->lpszOutput) : TemporaryPdfPath();
        if (pdfPath.empty()) return false;
        documentName = info->lpszDocName != nullptr ? info->lpszDocName : "";
        surface = cairo_pdf_surface_create(pdfPath.c_str(), page.widthPt, page.heightPt);
        cr = cairo_create(surface);
        if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
            CloseDocument(true);
            return false;
        }
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, documentName.c_str());
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Talewick");
        pages = 0;
        return true;
    }

    // Finishes the PDF; true when it was written whole. `discard` removes it.
    bool CloseDocument(bool discard) {
        if (!InDocument()) return false;
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface);
        cr = nullptr;
        surface = nullptr;
        inPage = false;
        if (discard || !written) unlink(pdfPath.c_str());
        return written && !discard;
    }

    // Device units: the printer's dots from the top left of the printable area.
    void BeginPageSpace() {
        cairo_save(cr);
        cairo_translate(cr, page.leftPt, page.topPt);
        cairo_scale(cr, 72.0 / page.dpi, 72.0 / page.dpi);
        cairo_rectangle(cr, 0, 0, Width(), Height());
        cairo_clip(cr);
    }

    int Width() const { return DeviceUnits(page.widthPt - page.leftPt - page.rightPt, page.dpi); }
    int Height() const { return DeviceUnits(page.heightPt - page.topPt - page.bottomPt, page.dpi); }
};

CPrinterDC::CPrinterDC(const PrinterPage& page) : m_impl(std::make_unique<Impl>(page)) {}
CPrinterDC::~CPrinterDC() = default;

const PrinterPage& CPrinterDC::GetPage() const {
    return m_impl->page;
}

int CPrinterDC::GetDeviceCaps(int index) const {
    const PrinterPage& p = m_impl->page;
    switch (index) {
        case HORZRES:
            return m_impl->Width();
        case VERTRES:
            return m_impl->Height();
        case BITSPIXEL:
            return 24;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return p.dpi;
        case PHYSICALWIDTH:
            return DeviceUnits(p.widthPt, p.dpi);
        case PHYSICALHEIGHT:
            return DeviceUnits(p.heightPt, p.dpi);
        case PHYSICALOFFSETX:
            return DeviceUnits(p.leftPt, p.dpi);
        case PHYSICALOFFSETY:
            return DeviceUnits(p.topPt, p.dpi);
        default:
            return 0;
    }
}

int CPrinterDC::StretchDIBits(int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                              int wSrc, int hSrc, const void* bits, const BITMAPINFO* info,
                              UINT usage, DWORD /*rop*/) {
    DibLayout dib;
    if (!m_impl->inPage || bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS ||
        !dib.Describe(info) || wDest == 0 || hDest == 0 || wSrc <= 0 || hSrc <= 0) {
        return 0;
    }
    // The source rectangle in picture rows from the top; ySrc counts from the bottom row.
    const int top = dib.bottomUp ? dib.height - (ySrc + hSrc) : ySrc;
    CRect source;
    if (!source.IntersectRect(CRect(xSrc, top, xSrc + wSrc, top + hSrc),
                              CRect(0, 0, dib.width, dib.height))) {
        return 0;
    }
    SurfacePtr image = CopySource(dib, static_cast<const BYTE*>(bits), source);
    if (!image) return 0;

    cairo_t* cr = m_impl->cr;
    cairo_save(cr);
    cairo_translate(cr, xDest, yDest);
    cairo_scale(cr, double(wDest) / wSrc, double(hDest) / hSrc);
    cairo_set_source_surface(cr, image.get(), source.left - xSrc, source.top - top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, source.left - xSrc, source.top - top, source.Width(), source.Height());
    cairo_fill(cr);
    cairo_restore(cr);
    return hSrc;
}

CPalette* CPrinterDC::SelectPalette(CPalette* /*palette*/, BOOL /*forceBackground*/) {
    return nullptr;
}

UINT CPrinterDC::RealizePalette() {
    return 0;
}

int CPrinterDC::SetStretchBltMode(int mode) {
    return std::exchange(m_impl->stretchMode, mode);
}

void CPrinterDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    if (!m_impl->inPage) return;
    cairo_t* cr = m_impl->cr;
    cairo_save(cr);
    cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                         GetBValue(colour) / 255.0);
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr);
    cairo_restore(cr);
}

int CPrinterDC::StartDoc(const DOCINFO* info) {
    if (info == nullptr || m_impl->InDocument()) return SP_ERROR;
    return m_impl->OpenDocument(info) ? 1 : SP_ERROR;
}

int CPrinterDC::StartDoc(const char* documentName) {
    DOCINFO info;
    info.lpszDocName = documentName;
    return StartDoc(&info);
}

int CPrinterDC::StartPage() {
    if (!m_impl->InDocument() || m_impl->inPage) return SP_ERROR;
    m_impl->BeginPageSpace();
    m_impl->inPage = true;
    return 1;
}

int CPrinterDC::EndPage() {
    if (!m_impl->inPage) return SP_ERROR;
    cairo_restore(m_impl->cr);
    cairo_show_page(m_impl->cr);
    m_impl->inPage = false;
    ++m_impl->pages;
    return 1;
}

int CPrinterDC::EndDoc() {
    if (!m_impl->InDocument()) return SP_ERROR;
    if (m_impl->inPage) EndPage();
    const bool empty = m_impl->pages == 0;
    if (!m_impl->CloseDocument(empty && !m_impl->toFile)) return empty ? 1 : SP_ERROR;
    if (m_impl->toFile) return 1;
    const int job = CPrintQueue::Submit(m_impl->page.destination, m_impl->page.media,
                                        m_impl->pdfPath, m_impl->documentName);
    unlink(m_impl->pdfPath.c_str());
    return job > 0 ? 1 : SP_ERROR;
}

int CPrinterDC::AbortDoc() {
    if (!m_impl->InDocument()) return SP_ERROR;
    m_impl->CloseDocument(true);
    return 1;
}

int CPrinterDC::SetMapMode(int mode) {
    if (mode != MM_TEXT) return 0;
    return std::exchange(m_impl->mapMode, mode);
}

int CPrinterDC::DrawText(const std::string& text, CRect* rect, UINT format) {
    if (rect == nullptr) return 0;
    const CFont& font = SelectedFont() != nullptr ? *SelectedFont() : m_impl->defaultFont;
    if (format & DT_CALCRECT) {
        const CSize extent = m_impl->text.Measure(font, text, *rect, format);
        rect->right = rect->left + extent.cx;
        rect->bottom = rect->top + extent.cy;
        return extent.cy;
    }
    if (!m_impl->inPage) return 0;
    return m_impl->text.Draw(m_impl->cr, font, text, *rect, format, Ink());
}

BOOL CPrinterDC::GetTextMetrics(TEXTMETRIC* metrics) {
    const CFont& font = SelectedFont() != nullptr ? *SelectedFont() : m_impl->defaultFont;
    return m_impl->text.GetMetrics(font, metrics) ? TRUE : FALSE;
}
