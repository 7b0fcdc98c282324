#include "platform/draw/SurfacePng.h"

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "platform/base/FreeWith.h"

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool WriteSurfacePng(const CSurface& surface, const std::string& path) {
    if (surface.Width() <= 0 || surface.Height() <= 0) return false;
    std::unique_ptr<cairo_surface_t, FreeWith<cairo_surface_destroy>> image(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, surface.Width(), surface.Height()));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return false;
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < surface.Height(); ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < surface.Width(); ++x) {
            const COLORREF c = surface.GetPixel(x, y);
            row[x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
                     (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
        }
    }
    cairo_surface_mark_dirty(image.get());
    return cairo_surface_write_to_png(image.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool EncodeRgbPng(int width, int height, const std::vector<std::uint32_t>& pixels,
                  std::string& png) {
    png.clear();
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return false;
    std::unique_ptr<cairo_surface_t, FreeWith<cairo_surface_destroy>> image(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return false;
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < height; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            row[x] = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)] &
                     0xFFFFFFu;
    }
    cairo_surface_mark_dirty(image.get());
    return cairo_surface_write_to_png_stream(image.get(), AppendBytes, &png) ==
           CAIRO_STATUS_SUCCESS;
}
