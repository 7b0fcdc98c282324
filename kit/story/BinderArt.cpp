#include "story/BinderArt.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>

namespace {

double Channel(std::uint32_t rgb, int shift) {
    return ((rgb >> shift) & 0xFF) / 255.0;
}

void SetColour(cairo_t* cr, std::uint32_t rgb, double lighten) {
    auto mix = [lighten](double c) { return c + (1.0 - c) * lighten; };
    cairo_set_source_rgb(cr, mix(Channel(rgb, 16)), mix(Channel(rgb, 8)), mix(Channel(rgb, 0)));
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -1.5708, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 1.5708);
    cairo_arc(cr, x + r, y + h - r, r, 1.5708, 3.14159);
    cairo_arc(cr, x + r, y + r, r, 3.14159, 4.71239);
    cairo_close_path(cr);
}

void DrawTitle(cairo_t* cr, const std::string& title) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans Bold 11");
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, title.c_str(), -1);
    int tw = 0, th = 0;
    pango_layout_get_pixel_size(layout, &tw, &th);
    cairo_save(cr);
    cairo_translate(cr, BinderArt::kWidth / 2.0 - th / 2.0, BinderArt::kHeight / 2.0 + tw / 2.0);
    cairo_rotate(cr, -1.5708);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    pango_font_description_free(font);
    g_object_unref(layout);
}

}  // namespace

KitImage BinderArt::Binder(const std::string& title, std::uint32_t rgb, bool highlighted) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                          cairo_destroy);
    cairo_set_source_rgb(cr.get(), 1.0, 1.0, 1.0);
    cairo_paint(cr.get());
    if (highlighted) {
        cairo_set_source_rgb(cr.get(), 1.0, 0.84, 0.2);
        RoundedRect(cr.get(), 0, 0, kWidth, kHeight, 8);
        cairo_fill(cr.get());
    }
    const double inset = highlighted ? 4.0 : 1.0;
    SetColour(cr.get(), rgb, highlighted ? 0.25 : 0.0);
    RoundedRect(cr.get(), inset, inset, kWidth - 2 * inset, kHeight - 2 * inset, 6);
    cairo_fill(cr.get());
    // Two bands near the ends, as on a cloth-bound spine.
    SetColour(cr.get(), rgb, 0.55);
    cairo_rectangle(cr.get(), inset, 14, kWidth - 2 * inset, 5);
    cairo_rectangle(cr.get(), inset, kHeight - 19, kWidth - 2 * inset, 5);
    cairo_fill(cr.get());
    DrawTitle(cr.get(), title);
    cairo_surface_flush(surface.get());

    KitImage image(kWidth, kHeight);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t pixel = 0;
            std::copy_n(data + y * stride + x * 4, 4, reinterpret_cast<unsigned char*>(&pixel));
            image.Set(x, y, pixel & 0xFFFFFF);
        }
    return image;
}
