#include "icons/AppIcon.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

#include "screens/Icons.h"

using namespace Colours;

namespace {

struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

void SetColour(cairo_t* cr, std::uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
}

// What one size shows and how thick its lines are, in pixels.
struct Detail {
    double size;
    double ink;    // outline width
    int bands;     // rainbow bands
    bool rays;     // the sun's rays
    bool wrapper;  // lines on the crayon's paper wrapper
};

Detail DetailFor(int size) {
    Detail d{static_cast<double>(size), std::max(2.0, std::round(size / 40.0)), 3, false, false};
    if (size >= 64) d.bands = 4;
    if (size >= 128) d = Detail{d.size, std::round(size / 48.0), 5, true, true};
    return d;
}

void FillStroke(cairo_t* cr, std::uint32_t fill, double ink) {
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, ink);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Page(cairo_t* cr, const Detail& d) {
    const double m = d.ink + d.size * 0.04;
    const double w = d.size - 2 * m;
    const double r = d.size * 0.14;
    cairo_new_sub_path(cr);
    cairo_arc(cr, m + w - r, m + r, r, -M_PI / 2, 0);
    cairo_arc(cr, m + w - r, m + w - r, r, 0, M_PI / 2);
    cairo_arc(cr, m + r, m + w - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, m + r, m + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
    FillStroke(cr, kCream, d.ink);
}

void Rainbow(cairo_t* cr, const Detail& d) {
    static constexpr std::uint32_t kBands[] = {kRed, kOrange, kYellow, kGreen, kBlue};
    const double cx = d.size * 0.5;
    const double cy = d.size * 0.70;
    const double outer = d.size * 0.36;
    const double band = d.size * 0.17 / d.bands;
    for (int i = 0; i < d.bands; ++i) {
        // Four bands leave out yellow, three also blue: the ends stay red and green.
        const int colour = d.bands == 5 ? i : d.bands == 4 ? (i < 2 ? i : i + 1) : i * 3 / 2;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, outer - band * i - band / 2, M_PI, 2 * M_PI);
        SetColour(cr, kBands[colour]);
        cairo_set_line_width(cr, band + 0.5);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, outer, M_PI, 2 * M_PI);
    cairo_arc_negative(cr, cx, cy, outer - band * d.bands, 2 * M_PI, M_PI);
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, std::max(1.0, d.ink * 0.6));
    cairo_stroke(cr);
}

void Sun(cairo_t* cr, const Detail& d) {
    const double cx = d.size * 0.76;
    const double cy = d.size * 0.25;
    const double r = d.size * 0.09;
    if (d.rays) {
        SetColour(cr, kOrange);
        cairo_set_line_width(cr, d.ink);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            cairo_move_to(cr, cx + std::cos(a) * r * 1.4, cy + std::sin(a) * r * 1.4);
            cairo_line_to(cr, cx + std::cos(a) * r * 1.8, cy + std::sin(a) * r * 1.8);
        }
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    FillStroke(cr, kSun, d.ink);
}

// A crayon from the lower left to the upper right, in front of the page.
void Crayon(cairo_t* cr, const Detail& d) {
    cairo_save(cr);
    cairo_translate(cr, d.size * 0.44, d.size * 0.66);
    cairo_rotate(cr, -M_PI / 4);
    const double length = d.size * 0.66;
    const double half = d.size * 0.075;
    const double tip = d.size * 0.14;
    const double body = length - tip;
    cairo_rectangle(cr, -length / 2, -half, body, 2 * half);
    FillStroke(cr, kRed, d.ink);
    cairo_move_to(cr, -length / 2 + body, -half);
    cairo_line_to(cr, length / 2, 0);
    cairo_line_to(cr, -length / 2 + body, half);
    cairo_close_path(cr);
    FillStroke(cr, kTan, d.ink);
    // The paper wrapper around the middle of the body.
    const double wrapStart = -length / 2 + body * 0.25;
    const double wrapLength = body * 0.5;
    cairo_rectangle(cr, wrapStart, -half, wrapLength, 2 * half);
    FillStroke(cr, kYellow, d.ink);
    if (d.wrapper) {
        SetColour(cr, kInk);
        cairo_set_line_width(cr, std::max(1.0, d.ink * 0.5));
        for (int i = 1; i <= 2; ++i) {
            const double x = wrapStart + wrapLength * i / 3;
            cairo_move_to(cr, x, -half);
            cairo_line_to(cr, x, half);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace

namespace AppIcon {

const std::vector<int>& Sizes() {
    static const std::vector<int> sizes = {32, 48, 64, 128, 256};
    return sizes;
}

bool WritePng(int size, const std::string& path) {
    std::unique_ptr<cairo_surface_t, SurfaceFree> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size));
    std::unique_ptr<cairo_t, ContextFree> context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    const Detail detail = DetailFor(size);
    Page(cr, detail);
    Rainbow(cr, detail);
    Sun(cr, detail);
    Crayon(cr, detail);
    cairo_surface_flush(surface.get());
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return cairo_status(cr) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool WriteTheme(const std::string& themeFolder, const std::string& name) {
    for (int size : Sizes()) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        if (!WritePng(size, themeFolder + "/" + folder + "/apps/" + name + ".png")) return false;
    }
    return true;
}

}  // namespace AppIcon
