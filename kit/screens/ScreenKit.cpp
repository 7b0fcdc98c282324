#include "screens/ScreenKit.h"

#include <array>
#include <cmath>
#include <functional>

using namespace Colours;

namespace {

void Dots(Canvas& c, std::uint32_t colour, int step, double radius) {
    c.SetColour(colour);
    for (int y = step / 2; y < c.Height() + step; y += step)
        for (int x = (y / step % 2) * step / 2; x < c.Width() + step; x += step) {
            cairo_new_sub_path(c.Cr());
            cairo_arc(c.Cr(), x, y, radius, 0, 2 * M_PI);
        }
    cairo_fill(c.Cr());
}

void Panel(Canvas& c, double x, double y, double w, double h, double r, std::uint32_t fill) {
    c.RoundRect(x + 3, y + 3, w, h, r);
    c.SetColour(kInk, 0.35);
    cairo_fill(c.Cr());
    c.RoundRect(x, y, w, h, r);
    c.FillStroke(fill, kInk, 3);
}

// A hole of exactly (x, y, w, h) with a dark rim just outside it.
void Well(Canvas& c, double x, double y, double w, double h, std::uint32_t fill) {
    cairo_rectangle(c.Cr(), x - 1, y - 1, w + 2, h + 2);
    c.FillStroke(fill, kInk, 2);
}

void Bunting(Canvas& c, double y, double size) {
    const std::uint32_t flags[] = {kRed, kSky, kSun, kGreen, kPink, kPurple, kOrange};
    for (int i = 0; i * size * 1.4 < c.Width(); ++i) {
        const double x = i * size * 1.4;
        cairo_move_to(c.Cr(), x, y);
        cairo_line_to(c.Cr(), x + size, y);
        cairo_line_to(c.Cr(), x + size / 2, y + size);
        cairo_close_path(c.Cr());
        c.FillStroke(flags[i % 7], kInk, 1.5);
    }
}

void Sun(Canvas& c, double x, double y, double r) {
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        cairo_move_to(c.Cr(), x + r * 1.2 * std::cos(a), y + r * 1.2 * std::sin(a));
        cairo_line_to(c.Cr(), x + r * 1.7 * std::cos(a), y + r * 1.7 * std::sin(a));
    }
    c.SetColour(kOrange);
    cairo_set_line_width(c.Cr(), r / 5);
    cairo_set_line_cap(c.Cr(), CAIRO_LINE_CAP_ROUND);
    cairo_stroke(c.Cr());
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), x, y, r, 0, 2 * M_PI);
    c.FillStroke(kSun, kInk, 2.5);
    c.SetColour(kInk);
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), x - r / 3, y - r / 6, r / 9, 0, 2 * M_PI);
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), x + r / 3, y - r / 6, r / 9, 0, 2 * M_PI);
    cairo_fill(c.Cr());
    cairo_arc(c.Cr(), x, y + r / 10, r / 2, 0.2 * M_PI, 0.8 * M_PI);
    cairo_set_line_width(c.Cr(), r / 8);
    cairo_stroke(c.Cr());
}

void Rainbow(Canvas& c, double x, double y, double r) {
    const std::uint32_t bands[] = {kRed, kOrange, kSun, kGreen, kSky, kPurple};
    for (int i = 0; i < 6; ++i) {
        cairo_new_sub_path(c.Cr());
        cairo_arc(c.Cr(), x, y, r - i * r / 9, M_PI, 2 * M_PI);
        c.SetColour(bands[i]);
        cairo_set_line_width(c.Cr(), r / 9 + 0.5);
        cairo_stroke(c.Cr());
    }
}

void Stars(Canvas& c, std::initializer_list<std::array<double, 3>> stars) {
    for (const auto& s : stars) {
        StarPath(c.Cr(), s[0], s[1], s[2], s[2] * 0.45);
        c.FillStroke(kSun, kInk, 2);
    }
}

// A full-screen or dialog card: a cheerful border around a cream field.
Canvas* Card(Canvas& c, std::uint32_t border) {
    c.SetColour(border);
    cairo_paint(c.Cr());
    Dots(c, Darker(border, 0.86), 24, 4);
    Panel(c, 10, 10, c.Width() - 23, c.Height() - 23, 18, kCream);
    return &c;
}

KitImage TextureSlotFrame(bool down) {
    // The program draws the swatch over all but a two-pixel ring of the slot, so the ring
    // itself shows the state: white when up, red when pressed.
    Canvas c(43, 37, kLeaf);
    c.RoundRect(0.5, 0.5, 42, 36, 3);
    c.FillStroke(down ? kRed : kWhite, kInk, 1);
    cairo_rectangle(c.Cr(), 2, 2, 39, 33);  // the swatch hides everything inside
    c.SetColour(kInk);
    cairo_fill(c.Cr());
    return c.ToImage();
}

// A wide two-state switch: icon at the left, a knob that sits right when `on`.
KitImage SwitchFace(const KitImage& under, Icon icon, bool on, std::uint32_t knob) {
    Canvas c(under);
    const double w = under.Width(), h = under.Height();
    c.RoundRect(1.5, 1.5, w - 3, h - 3, h / 2 - 1);
    c.FillStroke(on ? kCream : Darker(kCream, 0.8), kInk, 2);
    DrawIcon(c, icon, h * 0.75, h / 2, h * 0.85);
    c.RoundRect(h * 1.6, h * 0.3, w - h * 2.1, h * 0.4, h * 0.2);
    c.FillStroke(kGrey, kInk, 1.5);
    const double kx = on ? w - h * 0.75 : h * 1.75;
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), kx, h / 2, h * 0.36, 0, 2 * M_PI);
    c.FillStroke(knob, kInk, 2);
    return c.ToImage();
}

// The tall yes and no buttons of the trash and print confirmations, which share a layout.
const std::vector<FacePlan>& TallYesNoFaces() {
    static const std::vector<FacePlan> faces = {
        {"yesu.bmp", "yesd.bmp", "", 138, 161, 54, 75, kLeaf, Icon::Check},
        {"nou.bmp", "nod.bmp", "", 204, 161, 54, 75, kPink, Icon::Cross}};
    return faces;
}

// Adds a switch's two faces, on and off, drawn over the background at (x, y).
void AddSwitch(std::vector<KitPicture>& out, const KitImage& background, int x, int y,
               const std::string& onPath, Icon onIcon, const std::string& offPath, Icon offIcon) {
    const KitImage under = Crop(background, x, y, 130, 28);
    out.push_back({onPath, SwitchFace(under, onIcon, true, kGreen)});
    out.push_back({offPath, SwitchFace(under, offIcon, false, kRed)});
}

}  // namespace

KitImage ColoringBackground() {
    Canvas c(640, 480, kYellow);
    Dots(c, kCream, 40, 6);
    Bunting(c, 0, 14);
    Sun(c, 60, 340, 18);
    Rainbow(c, 580, 372, 44);
    Stars(c, {{{22, 310, 8}}, {{112, 318, 6}}, {{470, 312, 7}}, {{200, 316, 6}}, {{620, 250, 7}}});
    Panel(c, 108, 16, 422, 288, 14, kWood);  // the picture frame
    Well(c, 120, 28, 398, 264, kWhite);
    Panel(c, 30, 31, 73, 207, 14, kLeaf);    // textures
    Panel(c, 535, 79, 76, 218, 14, kSky);    // tools
    Panel(c, 44, 246, 49, 53, 16, kPink);    // voice-over
    Panel(c, 548, 25, 49, 53, 16, kPink);    // scrapbook
    Panel(c, 127, 334, 384, 111, 18, kRed);  // crayon tray
    Well(c, 139, 345, 360, 89, kCream);
    Panel(c, 235, 444, 156, 32, 10, kBlue);  // colour strip
    Well(c, 243, 451, 140, 18, kWhite);
    for (int slot = 0; slot < 3; ++slot) Well(c, 44, 72 + slot * 43.5, 43, 37, kWhite);
    return c.ToImage();
}

std::vector<KitPicture> BuildColoringScreen() {
    const KitImage bg = ColoringBackground();
    std::vector<KitPicture> out = {{"bitmaps/backgrnd.bmp", bg},
                                   {"bitmaps/texu.bmp", TextureSlotFrame(false)},
                                   {"bitmaps/texd.bmp", TextureSlotFrame(true)}};
    AddFaces("bitmaps/", bg,
             {{"scenelu.bmp", "sceneld.bmp", "", 529, 434, 46, 40, kOrange, Icon::Left},
              {"sceneru.bmp", "scenerd.bmp", "", 578, 434, 46, 40, kOrange, Icon::Right},
              {"clearu.bmp", "cleard.bmp", "", 543, 223, 60, 32, kCream, Icon::BigEraser},
              {"eraseu.bmp", "erased.bmp", "", 543, 189, 60, 32, kCream, Icon::Eraser},
              {"areau.bmp", "aread.bmp", "", 543, 155, 60, 32, kCream, Icon::Bucket},
              {"bbrushu.bmp", "bbrushd.bmp", "", 543, 121, 60, 32, kCream, Icon::BigBrush, true},
              {"sbrushu.bmp", "sbrushd.bmp", "", 543, 87, 60, 32, kCream, Icon::Brush, true},
              {"undou.bmp", "undod.bmp", "", 543, 257, 60, 32, kCream, Icon::Undo},
              {"exitu.bmp", "exitd.bmp", "", 15, 436, 92, 39, kSky, Icon::Door},
              {"texuu.bmp", "texud.bmp", "", 38, 39, 57, 25, kCream, Icon::Up},
              {"texdu.bmp", "texdd.bmp", "", 38, 205, 57, 25, kCream, Icon::Down},
              {"LStaru.bmp", "LStard.bmp", "", 65, 389, 52, 34, kPurple, Icon::Star},
              {"scrapu.bmp", "scrapd.bmp", "", 555, 31, 35, 41, kCream, Icon::Scrapbook},
              {"soundu.bmp", "soundd.bmp", "", 51, 252, 35, 41, kCream, Icon::Speaker}},
             out);
    return out;
}

std::vector<KitPicture> BuildSplashes() {
    Canvas brand(640, 480, kSky);
    Dots(brand, 0x92DBFF, 48, 10);
    Rainbow(brand, 320, 330, 260);
    Sun(brand, 110, 100, 46);
    Panel(brand, 120, 300, 400, 120, 40, kWhite);
    brand.Text("Pimbly", 120, 300, 400, 120, 84, kRed, kInk, 4);
    Stars(brand,
          {{{540, 90, 26}}, {{590, 170, 14}}, {{470, 60, 12}}, {{60, 420, 16}}, {{590, 420, 20}}});

    Canvas story(640, 480, kPurple);
    Dots(story, 0xB66DAA, 40, 5);
    DrawIcon(story, Icon::Book, 320, 250, 330);
    for (int i = 0; i < 8; ++i) {
        StarPath(story.Cr(), 320 + 230 * std::cos(i * M_PI / 4), 240 + 170 * std::sin(i * M_PI / 4),
                 22, 10, i * 0.3);
        story.FillStroke(i % 2 ? kSun : kPink, kInk, 2.5);
    }
    story.Text("Talewick", 40, 20, 560, 110, 80, kSun, kInk, 5);
    story.Text("Colour the story!", 40, 390, 560, 70, 40, kWhite, kInk, 3);

    Canvas bye(640, 480, 0x24246D);
    Dots(bye, 0x2449AA, 36, 3);
    cairo_new_sub_path(bye.Cr());
    cairo_arc(bye.Cr(), 470, 150, 80, 0, 2 * M_PI);
    bye.FillStroke(kCream, kInk, 4);
    cairo_new_sub_path(bye.Cr());
    cairo_arc(bye.Cr(), 500, 125, 70, 0, 2 * M_PI);
    bye.SetColour(0x24246D);
    cairo_fill(bye.Cr());
    Stars(bye,
          {{{120, 90, 20}}, {{220, 170, 12}}, {{330, 70, 16}}, {{90, 260, 10}}, {{580, 300, 14}}});
    bye.Text("Goodbye!", 40, 300, 560, 120, 88, kSun, kInk, 5);
    return {{"bitmaps/Pimbly.bmp", brand.ToImage(), true},
            {"bitmaps/story.bmp", story.ToImage(), true},
            {"bitmaps/ploq.bmp", bye.ToImage()}};
}

std::vector<KitPicture> BuildConfirmations() {
    Canvas quit(398, 264);
    Card(quit, kSky);
    DrawIcon(quit, Icon::Door, 150, 110, 150);
    quit.Text("?", 230, 30, 120, 160, 140, kRed, kInk, 4);
    const KitImage quitBg = quit.ToImage();

    Canvas trash(399, 264);
    Card(trash, kLeaf);
    DrawIcon(trash, Icon::Trash, 199, 78, 120);
    trash.Text("?", 270, 20, 100, 120, 90, kRed, kInk, 3);
    const KitImage trashBg = trash.ToImage();

    std::vector<KitPicture> out = {{"bitmaps/quit/exitbox.bmp", quitBg},
                                   {"bitmaps/trash/trash.bmp", trashBg}};
    AddFaces("bitmaps/quit/", quitBg,
             {{"yesup.bmp", "yesdn.bmp", "", 209, 220, 48, 37, kLeaf, Icon::Check},
              {"noup.bmp", "nodn.bmp", "", 139, 220, 69, 37, kPink, Icon::Cross}},
             out);
    AddFaces("bitmaps/trash/", trashBg, TallYesNoFaces(), out);
    return out;
}

std::vector<KitPicture> BuildPrint() {
    Canvas print(399, 264);
    Card(print, kOrange);
    DrawIcon(print, Icon::Printer, 199, 46, 70);
    const KitImage bg = print.ToImage();
    std::vector<KitPicture> out = {{"bitmaps/print/print.bmp", bg}};
    AddFaces("bitmaps/print/", bg, TallYesNoFaces(), out);
    AddSwitch(out, bg, 132, 88, "bitmaps/print/textu.bmp", Icon::Letters, "bitmaps/print/textd.bmp",
              Icon::NoLetters);
    return out;
}

std::vector<KitPicture> BuildOptions(const std::string& creditsText) {
    Canvas options(399, 264);
    Card(options, kPurple);
    Sun(options, 50, 56, 20);
    Stars(options, {{{350, 60, 14}}, {{340, 120, 9}}, {{60, 120, 9}}});
    const KitImage bg = options.ToImage();
    std::vector<KitPicture> out = {{"bitmaps/options/options.bmp", bg}};
    AddFaces("bitmaps/options/", bg,
             {{"oku.bmp", "okd.bmp", "", 172, 194, 55, 64, kLeaf, Icon::Check},
              {"extu.bmp", "extd.bmp", "", 82, 148, 49, 40, kCream, Icon::Bulb},
              {"credu.bmp", "credd.bmp", "", 267, 149, 49, 39, kCream, Icon::Heart}},
             out);
    AddSwitch(out, bg, 132, 42, "bitmaps/options/sndon.bmp", Icon::Speaker,
              "bitmaps/options/sndoff.bmp", Icon::SpeakerOff);
    AddSwitch(out, bg, 132, 104, "bitmaps/options/inline.bmp", Icon::InsideLines,
              "bitmaps/options/outline.bmp", Icon::OutsideLines);

    Canvas credits(640, 480);
    Card(credits, kPink);
    DrawIcon(credits, Icon::Heart, 320, 70, 80);
    credits.Text(creditsText, 60, 110, 520, 310, 20, kBlue);
    cairo_rectangle(credits.Cr(), 75, 441, 490, 35);  // the ticker's band
    credits.SetColour(0xFBD604);
    cairo_fill(credits.Cr());
    Stars(credits, {{{452, 427, 6}}, {{60, 60, 16}}, {{580, 60, 16}}});
    out.push_back({"bitmaps/options/credits.bmp", credits.ToImage()});
    return out;
}

std::vector<KitPicture> BuildSlideShow() {
    Canvas c(640, 480, 0x6D0000);
    for (int x = 0; x < 640; x += 20) {  // curtain folds
        cairo_rectangle(c.Cr(), x, 0, 10, 480);
    }
    c.SetColour(0x920000);
    cairo_fill(c.Cr());
    Bunting(c, 0, 16);
    Panel(c, 106, 33, 426, 292, 10, kDark);
    Well(c, 120, 47, 398, 264, kDark);
    Panel(c, 10, 28, 90, 190, 14, kTan);
    Panel(c, 530, 28, 106, 72, 14, kTan);
    Stars(c, {{{320, 380, 20}}, {{230, 420, 12}}, {{410, 420, 12}}, {{590, 200, 14}}});
    const KitImage bg = c.ToImage();
    std::vector<KitPicture> out = {{"bitmaps/slides/backgrnd.bmp", bg}};
    AddFaces("bitmaps/slides/", bg,
             {{"playu.bmp", "playd.bmp", "playo.bmp", 31, 37, 58, 54, kCream, Icon::Play},
              {"pauseu.bmp", "paused.bmp", "pauseo.bmp", 30, 100, 53, 49, kCream, Icon::Pause},
              {"rewu.bmp", "rewd.bmp", "rewo.bmp", 19, 161, 63, 50, kCream, Icon::Rewind},
              {"thexitu.bmp", "thexitd.bmp", "thexito.bmp", 15, 416, 106, 51, kSky, Icon::Door},
              {"filmu.bmp", "filmd.bmp", "filmo.bmp", 539, 35, 89, 58, kSun, Icon::Film}},
             out);
    return out;
}

std::vector<KitPicture> BuildScrapbookScreen() {
    Canvas c(640, 480, kTan);
    Dots(c, kYellow, 32, 5);
    Bunting(c, 0, 14);
    Panel(c, 30, 164, 580, 16, 4, kWood);    // the shelf plank under the books
    Panel(c, 158, 185, 328, 28, 12, kWood);  // shelf scroll track
    Well(c, 206, 238, 228, 151, kWhite);
    const KitImage bg = c.ToImage();

    Canvas frame(260, 180, kRed);
    Dots(frame, kPink, 20, 4);
    Canvas scrapFrame(260, 180, kSky);
    Dots(scrapFrame, kSun, 20, 4);
    Canvas track(328, 28, kWood);
    track.RoundRect(6, 10, 316, 8, 4);
    track.FillStroke(kTan, kInk, 1.5);
    Canvas thumb(43, 20, kOrange);
    thumb.RoundRect(1, 1, 41, 18, 8);
    thumb.FillStroke(kSun, kInk, 2);

    std::vector<KitPicture> out = {{"bitmaps/scrapbk/backgrnd.bmp", bg},
                                   {"bitmaps/scrapbk/bookfrm.bmp", frame.ToImage()},
                                   {"bitmaps/scrapbk/scrpfrm.bmp", scrapFrame.ToImage()},
                                   {"bitmaps/scrapbk/track.bmp", track.ToImage()},
                                   {"bitmaps/scrapbk/thumb.bmp", thumb.ToImage()}};
    AddFaces("bitmaps/scrapbk/", bg,
             {{"retu.bmp", "retd.bmp", "", 15, 416, 92, 51, kSky, Icon::Door},
              {"prntu.bmp", "prntd.bmp", "", 530, 230, 60, 50, kCream, Icon::Printer},
              {"trshu.bmp", "trshd.bmp", "", 530, 290, 60, 50, kCream, Icon::Trash},
              {"scrpu.bmp", "scrpd.bmp", "", 40, 200, 70, 60, kCream, Icon::Scrapbook},
              {"imglu.bmp", "imgld.bmp", "", 130, 290, 46, 40, kOrange, Icon::Left},
              {"imgru.bmp", "imgrd.bmp", "", 464, 290, 46, 40, kOrange, Icon::Right},
              {"optu.bmp", "optd.bmp", "", 555, 416, 70, 51, kPurple, Icon::Bulb},
              {"proju.bmp", "projd.bmp", "", 40, 290, 70, 55, kSun, Icon::Film},
              {"addu.bmp", "addd.bmp", "", 40, 355, 70, 50, kLeaf, Icon::Plus},
              {"scribu.bmp", "scribd.bmp", "", 530, 350, 60, 50, kCream, Icon::Pencil}},
             out);
    return out;
}

void AddScreenJobs(const std::string& contentDir, const std::string& creditsText,
                   std::vector<KitJob>& jobs) {
    const std::vector<std::pair<std::string, std::function<std::vector<KitPicture>()>>> builders = {
        {"coloring screen", BuildColoringScreen},
        {"splash pictures", BuildSplashes},
        {"confirmations", BuildConfirmations},
        {"print dialog", BuildPrint},
        {"options", [creditsText] { return BuildOptions(creditsText); }},
        {"slide show", BuildSlideShow},
        {"scrapbook screen", BuildScrapbookScreen}};
    for (const auto& [name, build] : builders)
        jobs.push_back({name, [contentDir, build] {
                            bool ok = true;
                            for (KitPicture& picture : build())
                                ok = WriteJob(contentDir, std::move(picture)).run() && ok;
                            return ok;
                        }});
}
