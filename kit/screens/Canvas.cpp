#include "screens/Canvas.h"

#include <pango/pangocairo.h>

#include <cmath>

Canvas::Canvas(int width, int height, std::uint32_t rgb)
    : m_width(width),
      m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      m_cr(cairo_create(m_surface)) {
    SetColour(rgb);
    cairo_paint(m_cr);
}

Canvas::Canvas(const KitImage& start) : Canvas(start.Width(), start.Height(), 0) {
    Paste(start, 0, 0);
}

Canvas::~Canvas() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

KitImage Canvas::ToImage() {
    cairo_surface_flush(m_surface);
    KitImage image(m_width, m_height, 0);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    for (int y = 0; y < m_height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < m_width; ++x) image.Set(x, y, row[x] & 0xFFFFFF);
    }
    return image;
}

void Canvas::Paste(const KitImage& image, int x, int y) {
    cairo_surface_flush(m_surface);
    unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    for (int sy = 0; sy < image.Height(); ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= m_height) continue;
        auto* row = reinterpret_cast<std::uint32_t*>(data + ty * stride);
        for (int sx = 0; sx < image.Width(); ++sx) {
            const int tx = x + sx;
            if (tx >= 0 && tx < m_width) row[tx] = 0xFF000000u | image.Get(sx, sy);
        }
    }
    cairo_surface_mark_dirty(m_surface);
}

void Canvas::SetColour(std::uint32_t rgb, double alpha) {
    cairo_set_source_rgba(m_cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void Canvas::FillStroke(std::uint32_t fill, std::uint32_t outline, double width) {
    SetColour(fill);
    cairo_fill_preserve(m_cr);
    SetColour(outline);
    cairo_set_line_width(m_cr, width);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(m_cr);
}

void Canvas::RoundRect(double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(m_cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(m_cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(m_cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(m_cr);
}

void Canvas::Text(const std::string& text, double x, double y, double w, double h, double points,
                  std::uint32_t rgb, std::uint32_t outline, double outlineWidth) {
    PangoLayout* layout = pango_cairo_create_layout(m_cr);
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans Bold");
    pango_font_description_set_absolute_size(font, points * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
    pango_layout_set_width(layout, static_cast<int>(w * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_text(layout, text.c_str(), -1);
    int tw = 0, th = 0;
    pango_layout_get_pixel_size(layout, &tw, &th);
    cairo_move_to(m_cr, x, y + (h - th) / 2);
    pango_cairo_layout_path(m_cr, layout);
    if (outline != 0 && outlineWidth > 0) {
        SetColour(outline);
        cairo_set_line_width(m_cr, outlineWidth);
        cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(m_cr);
    }
    SetColour(rgb);
    cairo_fill(m_cr);
    pango_font_description_free(font);
    g_object_unref(layout);
}
