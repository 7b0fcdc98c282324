#include "platform/draw/CTextCanvas.h"

#include <cairo.h>

namespace {

std::uint32_t ColourOf(const PALETTEENTRY& e) {
    return (std::uint32_t{e.peRed} << 16) | (std::uint32_t{e.peGreen} << 8) | e.peBlue;
}

}  // namespace

CTextCanvas::CTextCanvas(CSurface& surface, const CRect& area) : m_surface(surface) {
    if (!m_area.IntersectRect(area, CRect(0, 0, surface.Width(), surface.Height()))) return;
    const int width = m_area.Width();
    const int height = m_area.Height();
    unsigned char* data = nullptr;
    int stride = 0;
    if (surface.BitsPerPixel() == 8) {
        m_before.resize(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = surface.Row(m_area.top + y) + m_area.left;
            for (int x = 0; x < width; ++x)
                m_before[static_cast<std::size_t>(y) * width + x] =
                    ColourOf(surface.HardwarePalette()[row[x]]);
        }
        m_pixels = m_before;
        data = reinterpret_cast<unsigned char*>(m_pixels.data());
        stride = width * 4;
    } else {
        data = surface.Row(m_area.top) + m_area.left * 4;
        stride = surface.Stride();
    }
    m_image = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, width, height, stride);
    m_cr = cairo_create(m_image);
    if (cairo_status(m_cr) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(m_cr);
        m_cr = nullptr;
        return;
    }
    cairo_translate(m_cr, -m_area.left, -m_area.top);
}

CTextCanvas::~CTextCanvas() {
    if (m_cr != nullptr) cairo_destroy(m_cr);
    if (m_image == nullptr) return;
    cairo_surface_flush(m_image);
    cairo_surface_destroy(m_image);
    WriteBack();
}

void CTextCanvas::WriteBack() {
    const int width = m_area.Width();
    for (int y = 0; y < m_area.Height(); ++y) {
        std::uint8_t* row =
            m_surface.Row(m_area.top + y) + m_area.left * (m_surface.BitsPerPixel() / 8);
        for (int x = 0; x < width; ++x) {
            if (m_surface.BitsPerPixel() != 8) {
                // RGB24 leaves the fourth byte undefined; the surface keeps it at 255.
                row[x * 4 + 3] = 255;
                continue;
            }
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            const std::uint32_t c = m_pixels[i] & 0xFFFFFF;
            if (c == m_before[i]) continue;
            row[x] = m_surface.NearestIndex(static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8),
                                            static_cast<BYTE>(c));
        }
    }
}
