#include "screens/Icons.h"

#include <cmath>

using namespace Colours;

namespace {

// Every icon is drawn in a 100 x 100 box centred on the origin.
struct Pen {
    Canvas& canvas;
    cairo_t* cr;
    double ink;  // outline width in icon units

    void Rect(double x, double y, double w, double h, double r, std::uint32_t fill) {
        canvas.RoundRect(x, y, w, h, r);
        canvas.FillStroke(fill, kInk, ink);
    }
    void Circle(double x, double y, double r, std::uint32_t fill) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        canvas.FillStroke(fill, kInk, ink);
    }
    void Poly(std::initializer_list<double> xy, std::uint32_t fill) {
        const double* p = xy.begin();
        cairo_move_to(cr, p[0], p[1]);
        for (std::size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(cr, p[i], p[i + 1]);
        cairo_close_path(cr);
        canvas.FillStroke(fill, kInk, ink);
    }
    void Line(double x0, double y0, double x1, double y1, double width, std::uint32_t colour) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        canvas.SetColour(colour);
        cairo_set_line_width(cr, width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
};

void Brush(Pen& p, double scale) {
    cairo_save(p.cr);
    cairo_rotate(p.cr, M_PI / 4);
    cairo_scale(p.cr, scale, scale);
    p.Rect(-7, -50, 14, 52, 6, kWood);  // handle
    p.Rect(-10, 0, 20, 14, 2, kGrey);   // ferrule
    p.canvas.RoundRect(-12, 14, 24, 8, 2);
    cairo_move_to(p.cr, -12, 14);
    cairo_curve_to(p.cr, -16, 34, -4, 44, 0, 50);
    cairo_curve_to(p.cr, 4, 44, 16, 34, 12, 14);
    cairo_close_path(p.cr);
    p.canvas.FillStroke(kRed, kInk, p.ink / scale);
    cairo_restore(p.cr);
}

void Bucket(Pen& p) {
    p.Poly({-30, -18, 24, -18, 18, 38, -24, 38}, kSky);
    cairo_new_sub_path(p.cr);
    cairo_save(p.cr);
    cairo_scale(p.cr, 1, 0.35);
    cairo_arc(p.cr, -3, -52, 27, 0, 2 * M_PI);
    cairo_restore(p.cr);
    p.canvas.FillStroke(kBlue, kInk, p.ink);
    cairo_move_to(p.cr, 20, -20);  // paint pouring out
    cairo_curve_to(p.cr, 44, -30, 44, 0, 40, 20);
    cairo_curve_to(p.cr, 46, 30, 32, 34, 34, 20);
    cairo_curve_to(p.cr, 34, 4, 30, -8, 20, -12);
    cairo_close_path(p.cr);
    p.canvas.FillStroke(kRed, kInk, p.ink);
    cairo_new_sub_path(p.cr);
    cairo_arc(p.cr, -3, -26, 30, M_PI * 1.05, M_PI * 1.95);
    p.canvas.SetColour(kInk);
    cairo_set_line_width(p.cr, p.ink * 1.2);
    cairo_stroke(p.cr);
}

void Eraser(Pen& p, double scale) {
    cairo_save(p.cr);
    cairo_scale(p.cr, scale, scale);
    cairo_rotate(p.cr, -M_PI / 8);
    p.Rect(-36, -16, 72, 32, 6, kPink);
    p.Rect(-36, -16, 26, 32, 6, kSky);
    cairo_restore(p.cr);
    for (int i = 0; i < 3; ++i) p.Line(-40 + 14 * i, 42, -30 + 14 * i, 42, p.ink, kInk);
}

void Arrow(Pen& p, double angle) {
    cairo_save(p.cr);
    cairo_rotate(p.cr, angle);
    p.Poly({-40, -14, 4, -14, 4, -34, 42, 0, 4, 34, 4, 14, -40, 14}, kGreen);
    cairo_restore(p.cr);
}

void Undo(Pen& p) {
    cairo_new_sub_path(p.cr);
    cairo_arc(p.cr, 4, 6, 30, M_PI, 2.3 * M_PI);
    cairo_arc_negative(p.cr, 4, 6, 14, 2.3 * M_PI, M_PI);
    cairo_close_path(p.cr);
    p.canvas.FillStroke(kOrange, kInk, p.ink);
    p.Poly({-44, 4, -12, 4, -28, 34}, kOrange);
}

// The undo arrow turned the other way round: it goes forward again.
void Redo(Pen& p) {
    cairo_save(p.cr);
    cairo_scale(p.cr, -1, 1);
    Undo(p);
    cairo_restore(p.cr);
}

void Door(Pen& p) {
    p.Rect(-26, -42, 52, 86, 4, kWood);
    p.Poly({-26, -42, 10, -32, 10, 52, -26, 44}, kOrange);
    p.Circle(2, 6, 4, kSun);
    p.Poly({18, -4, 34, -4, 34, -14, 48, 4, 34, 22, 34, 12, 18, 12}, kGreen);
}

// A hooked arrow that comes down and turns back to the left: "go back", unlike the
// straight page arrows and the round undo arrow.
void Back(Pen& p) {
    p.Poly({22, -40, 42, -40, 42, 22, -12, 22, -12, 40, -46, 10, -12, -20, -12, 2, 22, 2}, kSun);
}

// A grown-up beside a child, both waving: someone to ask for help.
void GrownUp(Pen& p) {
    p.Rect(-30, -14, 26, 52, 10, kBlue);  // the grown-up
    p.Circle(-17, -28, 12, kTan);
    p.Line(-30, -6, -44, -30, p.ink * 2.2, kInk);
    p.Rect(10, 10, 22, 30, 9, kRed);  // the child
    p.Circle(21, 0, 10, kTan);
    p.Line(30, 16, 44, -4, p.ink * 2, kInk);
}

void Question(Pen& p) {
    p.canvas.Text("?", -50, -50, 100, 100, 92, kRed, kInk, p.ink * 1.2);
}

void Speaker(Pen& p, bool off) {
    p.Poly({-40, -14, -20, -14, 6, -36, 6, 36, -20, 14, -40, 14}, kSky);
    if (off) {
        p.Line(16, -20, 44, 20, p.ink * 3, kRed);
        p.Line(16, 20, 44, -20, p.ink * 3, kRed);
        return;
    }
    for (int i = 1; i <= 2; ++i) {
        cairo_new_sub_path(p.cr);
        cairo_arc(p.cr, 6, 0, 16 * i, -M_PI / 3.5, M_PI / 3.5);
        p.canvas.SetColour(kInk);
        cairo_set_line_width(p.cr, p.ink * 1.6);
        cairo_stroke(p.cr);
    }
}

void Book(Pen& p, std::uint32_t cover) {
    p.Poly({-44, -30, 0, -22, 0, 38, -44, 30}, cover);
    p.Poly({44, -30, 0, -22, 0, 38, 44, 30}, cover);
    p.Poly({-38, -34, 0, -26, 0, 32, -38, 24}, kWhite);
    p.Poly({38, -34, 0, -26, 0, 32, 38, 24}, kWhite);
    for (int i = 0; i < 3; ++i) {
        p.Line(-30, -14 + 12 * i, -8, -10 + 12 * i, p.ink * 0.7, kGrey);
        p.Line(8, -10 + 12 * i, 30, -14 + 12 * i, p.ink * 0.7, kGrey);
    }
}

void Printer(Pen& p) {
    p.Rect(-24, -44, 48, 30, 2, kWhite);
    p.Rect(-44, -20, 88, 40, 8, kGrey);
    p.Rect(-26, 6, 52, 38, 2, kWhite);
    p.Circle(32, -8, 4, kGreen);
    p.Circle(-14, 24, 5, kRed);
    p.Circle(2, 28, 5, kSky);
}

void Trash(Pen& p) {
    p.Poly({-30, -22, 30, -22, 24, 44, -24, 44}, kGrey);
    p.Rect(-38, -34, 76, 12, 4, kGrey);
    p.Rect(-10, -44, 20, 10, 3, kGrey);
    for (int i = -1; i <= 1; ++i) p.Line(14 * i, -12, 12 * i, 34, p.ink, kInk);
}

void Film(Pen& p) {
    p.Rect(-46, -30, 92, 60, 4, kDark);
    for (int i = 0; i < 3; ++i) p.Rect(-38 + 27 * i, -18, 22, 36, 2, kSky);
    for (int i = 0; i < 6; ++i) {
        p.Rect(-42 + 15.5 * i, -27, 7, 5, 1, kWhite);
        p.Rect(-42 + 15.5 * i, 22, 7, 5, 1, kWhite);
    }
}

void Lines(Pen& p, bool inside) {
    StarPath(p.cr, 0, 0, 42, 20);
    p.canvas.FillStroke(inside ? kSun : kWhite, kInk, p.ink * 1.3);
    if (!inside) {
        p.Line(-30, 10, 40, -30, p.ink * 3.5, kRed);  // a scribble past the outline
        p.Line(-40, 30, 30, 30, p.ink * 3.5, kRed);
    }
}

void Bulb(Pen& p) {
    cairo_new_sub_path(p.cr);
    cairo_arc(p.cr, 0, -10, 28, M_PI * 0.75, M_PI * 2.25);
    cairo_line_to(p.cr, 12, 26);
    cairo_line_to(p.cr, -12, 26);
    cairo_close_path(p.cr);
    p.canvas.FillStroke(kSun, kInk, p.ink);
    p.Rect(-12, 26, 24, 16, 3, kGrey);
    for (int i = 0; i < 5; ++i) {
        const double a = M_PI * (1.1 + 0.2 * i);
        p.Line(40 * std::cos(a), -10 + 40 * std::sin(a), 48 * std::cos(a), -10 + 48 * std::sin(a),
               p.ink, kOrange);
    }
}

void Heart(Pen& p) {
    cairo_move_to(p.cr, 0, 40);
    cairo_curve_to(p.cr, -60, 0, -40, -46, 0, -20);
    cairo_curve_to(p.cr, 40, -46, 60, 0, 0, 40);
    cairo_close_path(p.cr);
    p.canvas.FillStroke(kRed, kInk, p.ink);
}

void Letters(Pen& p, bool crossed) {
    p.canvas.Text("Aa", -50, -40, 100, 80, 52, kBlue, kInk, p.ink);
    if (crossed) p.Line(-40, 36, 40, -36, p.ink * 3, kRed);
}

void Pencil(Pen& p) {
    cairo_save(p.cr);
    cairo_rotate(p.cr, M_PI / 4);
    p.Rect(-9, -46, 18, 70, 2, kSun);
    p.Poly({-9, 24, 9, 24, 0, 46}, kTan);
    p.Rect(-9, -50, 18, 8, 3, kPink);
    cairo_restore(p.cr);
    cairo_move_to(p.cr, -44, 40);  // a scribble
    cairo_curve_to(p.cr, -30, 20, -20, 50, -6, 32);
    p.canvas.SetColour(kRed);
    cairo_set_line_width(p.cr, p.ink * 1.5);
    cairo_stroke(p.cr);
}

void Scrapbook(Pen& p) {
    p.Rect(-36, -42, 72, 84, 6, kRed);
    p.Rect(-26, -30, 52, 40, 3, kSky);
    p.Poly({-26, 10, -8, -12, 6, 2, 14, -6, 26, 10}, kGreen);
    p.Circle(14, -20, 5, kSun);
    for (int i = 0; i < 4; ++i) p.Circle(-36, -30 + 20 * i, 4, kGrey);
}

}  // namespace

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, double turn) {
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + turn + i * M_PI / 5;
        const double r = (i % 2 == 0) ? outer : inner;
        if (i == 0)
            cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else
            cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

std::uint32_t Darker(std::uint32_t rgb, double factor) {
    auto channel = [&](int shift) {
        return static_cast<std::uint32_t>(((rgb >> shift) & 0xFF) * factor) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

void DrawIcon(Canvas& canvas, Icon icon, double cx, double cy, double size) {
    if (icon == Icon::None) return;
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size / 100.0, size / 100.0);
    Pen p{canvas, cr, std::max(1.4, size / 22.0) * 100.0 / size};
    switch (icon) {
        case Icon::Brush:
            Brush(p, 0.75);
            break;
        case Icon::BigBrush:
            Brush(p, 1.0);
            break;
        case Icon::Bucket:
            Bucket(p);
            break;
        case Icon::Eraser:
            Eraser(p, 0.7);
            break;
        case Icon::BigEraser:
            Eraser(p, 1.1);
            break;
        case Icon::Undo:
            Undo(p);
            break;
        case Icon::Redo:
            Redo(p);
            break;
        case Icon::Door:
            Door(p);
            break;
        case Icon::Left:
            Arrow(p, M_PI);
            break;
        case Icon::Right:
            Arrow(p, 0);
            break;
        case Icon::Up:
            Arrow(p, -M_PI / 2);
            break;
        case Icon::Down:
            Arrow(p, M_PI / 2);
            break;
        case Icon::Star:
            StarPath(cr, 0, 2, 48, 22);
            canvas.FillStroke(kSun, kInk, p.ink);
            break;
        case Icon::Speaker:
            Speaker(p, false);
            break;
        case Icon::SpeakerOff:
            Speaker(p, true);
            break;
        case Icon::Book:
            Book(p, kBlue);
            break;
        case Icon::Check:
            p.Poly({-40, 0, -24, -14, -8, 4, 30, -38, 44, -24, -8, 34}, kGreen);
            break;
        case Icon::Cross:
            p.Poly({-38, -26, -26, -38, 0, -12, 26,  -38, 38,  -26, 12,  0,
                    38,  26,  26,  38,  0, 12,  -26, 38,  -38, 26,  -12, 0},
                   kRed);
            break;
        case Icon::Printer:
            Printer(p);
            break;
        case Icon::Trash:
            Trash(p);
            break;
        case Icon::Film:
            Film(p);
            break;
        case Icon::Play:
            p.Poly({-26, -38, 38, 0, -26, 38}, kGreen);
            break;
        case Icon::Pause:
            p.Rect(-30, -36, 22, 72, 4, kOrange);
            p.Rect(8, -36, 22, 72, 4, kOrange);
            break;
        case Icon::Rewind:
            p.Poly({-2, -32, -46, 0, -2, 32}, kSky);
            p.Poly({42, -32, -2, 0, 42, 32}, kSky);
            break;
        case Icon::InsideLines:
            Lines(p, true);
            break;
        case Icon::OutsideLines:
            Lines(p, false);
            break;
        case Icon::Bulb:
            Bulb(p);
            break;
        case Icon::Heart:
            Heart(p);
            break;
        case Icon::Letters:
            Letters(p, false);
            break;
        case Icon::NoLetters:
            Letters(p, true);
            break;
        case Icon::Plus:
            p.Poly({-10, -40, 10,  -40, 10,  -10, 40,  -10, 40,  10,  10,  10,
                    10,  40,  -10, 40,  -10, 10,  -40, 10,  -40, -10, -10, -10},
                   kGreen);
            break;
        case Icon::Pencil:
            Pencil(p);
            break;
        case Icon::Scrapbook:
            Scrapbook(p);
            break;
        case Icon::Back:
            Back(p);
            break;
        case Icon::GrownUp:
            GrownUp(p);
            break;
        case Icon::Question:
            Question(p);
            break;
        case Icon::None:
            break;
    }
    cairo_restore(cr);
}
