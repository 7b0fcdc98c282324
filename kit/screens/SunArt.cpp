#include "screens/SunArt.h"

#include <cmath>

#include "screens/Icons.h"

using namespace Colours;

namespace {

void Rays(Canvas& c, double x, double y, double r, double reach) {
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        cairo_move_to(c.Cr(), x + r * 1.2 * std::cos(a), y + r * 1.2 * std::sin(a));
        cairo_line_to(c.Cr(), x + r * reach * std::cos(a), y + r * reach * std::sin(a));
    }
    c.SetColour(kOrange);
    cairo_set_line_width(c.Cr(), r / 5);
    cairo_set_line_cap(c.Cr(), CAIRO_LINE_CAP_ROUND);
    cairo_stroke(c.Cr());
}

void Wink(Canvas& c, double x, double y, double r) {
    cairo_set_line_width(c.Cr(), r / 10);
    cairo_arc(c.Cr(), x + r / 3, y - r / 5, r / 7, 0.1 * M_PI, 0.9 * M_PI);
    cairo_stroke(c.Cr());
    for (double side : {-1.0, 1.0}) {
        cairo_new_sub_path(c.Cr());
        cairo_arc(c.Cr(), x + side * r / 1.9, y + r / 5, r / 7, 0, 2 * M_PI);
    }
    c.SetColour(kPink);
    cairo_fill(c.Cr());
    c.SetColour(kInk);
}

}  // namespace

void DrawSun(Canvas& c, double x, double y, double r, double reach, bool winking) {
    Rays(c, x, y, r, reach);
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), x, y, r, 0, 2 * M_PI);
    c.FillStroke(kSun, kInk, 2.5);
    c.SetColour(kInk);
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), x - r / 3, y - r / 6, r / 9, 0, 2 * M_PI);
    if (!winking) {
        cairo_new_sub_path(c.Cr());
        cairo_arc(c.Cr(), x + r / 3, y - r / 6, r / 9, 0, 2 * M_PI);
    }
    cairo_fill(c.Cr());
    if (winking) Wink(c, x, y, r);
    cairo_arc(c.Cr(), x, y + r / 10, r / 2, 0.2 * M_PI, 0.8 * M_PI);
    cairo_set_line_width(c.Cr(), r / 8);
    cairo_stroke(c.Cr());
}
