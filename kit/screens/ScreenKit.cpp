#include "screens/ScreenKit.h"

#include <array>
#include <cmath>
#include <functional>

#include "screens/MessageKit.h"
#include "screens/SkyAnimations.h"
#include "screens/SunArt.h"

using namespace Colours;

namespace {

using Coloring = ScreenLayouts::Coloring;
using Options = ScreenLayouts::Options;
using Scrapbook = ScreenLayouts::Scrapbook;
using SlideShow = ScreenLayouts::SlideShow;

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

// A well exactly under a control.
void Well(Canvas& c, const ControlLayout& control, std::uint32_t fill) {
    const CRect& r = control.rect;
    Well(c, r.left, r.top, r.Width(), r.Height(), fill);
}

// A blank canvas of a screen's size.
Canvas ScreenCanvas(const ScreenLayout& screen) {
    return Canvas(screen.width, screen.height);
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
    const int w = Coloring::kTextureSlot0.rect.Width(), h = Coloring::kTextureSlot0.rect.Height();
    Canvas c(w, h, kLeaf);
    c.RoundRect(0.5, 0.5, w - 1, h - 1, 3);
    c.FillStroke(down ? kRed : kWhite, kInk, 1);
    cairo_rectangle(c.Cr(), 2, 2, w - 4, h - 4);  // the swatch hides everything inside
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
    static const std::vector<FacePlan> faces = {PlanOf(ScreenLayouts::kTallYes, kLeaf, Icon::Check),
                                                PlanOf(ScreenLayouts::kTallNo, kPink, Icon::Cross)};
    return faces;
}

// Adds a switch's two faces of `screen`, on (its up face) and off (its down face), drawn
// over the background where the switch sits.
void AddSwitch(std::vector<KitPicture>& out, const KitImage& background, const ScreenLayout& screen,
               const ControlLayout& control, Icon onIcon, Icon offIcon) {
    const CRect& r = control.rect;
    const KitImage under = Crop(background, r.left, r.top, r.Width(), r.Height());
    out.push_back({PathOf(screen, control.up), SwitchFace(under, onIcon, true, kGreen)});
    out.push_back({PathOf(screen, control.down), SwitchFace(under, offIcon, false, kRed)});
}

}  // namespace

KitImage ColoringBackground() {
    Canvas c(Coloring::kScreen.width, Coloring::kScreen.height, kYellow);
    Dots(c, kCream, 40, 6);
    Bunting(c, 0, 14);
    DrawSun(c, 60, 340, 18);
    Rainbow(c, 580, 372, 44);
    Stars(c, {{{22, 310, 8}}, {{112, 318, 6}}, {{470, 312, 7}}, {{200, 316, 6}}, {{620, 250, 7}}});
    Panel(c, 108, 16, 422, 288, 14, kWood);  // the picture frame
    Well(c, Coloring::kPictureArea, kWhite);
    Panel(c, 30, 31, 73, 207, 14, kLeaf);    // textures
    Panel(c, 535, 79, 76, 252, 14, kSky);    // tools
    Panel(c, 44, 246, 49, 53, 16, kPink);    // voice-over
    Panel(c, 548, 25, 49, 53, 16, kPink);    // scrapbook
    Panel(c, 127, 334, 384, 111, 18, kRed);  // crayon tray
    Well(c, Coloring::kCrayonArea, kCream);
    Panel(c, 235, 444, 156, 32, 10, kBlue);  // colour strip
    Well(c, Coloring::kColourStrip, kWhite);
    for (int slot = 0; slot < 3; ++slot) Well(c, 44, 72 + slot * 43.5, 43, 37, kWhite);
    return c.ToImage();
}

std::vector<KitPicture> BuildColoringScreen() {
    const ScreenLayout& screen = Coloring::kScreen;
    const KitImage bg = ColoringBackground();
    std::vector<KitPicture> out = {
        {PathOf(screen, Coloring::kBackdrop.file), bg},
        {PathOf(screen, Coloring::kTextureSlot0.up), TextureSlotFrame(false)},
        {PathOf(screen, Coloring::kTextureSlot0.down), TextureSlotFrame(true)}};
    AddFaces(
        FolderOf(screen), bg,
        {PlanOf(Coloring::kSceneLeft, kOrange, Icon::Left),
         PlanOf(Coloring::kSceneRight, kOrange, Icon::Right),
         PlanOf(Coloring::kBigEraser, kCream, Icon::BigEraser),
         PlanOf(Coloring::kSmallEraser, kCream, Icon::Eraser),
         PlanOf(Coloring::kRegionFill, kCream, Icon::Bucket),
         PlanOf(Coloring::kBigBrush, kCream, Icon::BigBrush, true),
         PlanOf(Coloring::kSmallBrush, kCream, Icon::Brush, true),
         PlanOf(Coloring::kUndo, kCream, Icon::Undo), PlanOf(Coloring::kRedo, kCream, Icon::Redo),
         PlanOf(Coloring::kExit, kSky, Icon::Door), PlanOf(Coloring::kTextureUp, kCream, Icon::Up),
         PlanOf(Coloring::kTextureDown, kCream, Icon::Down),
         PlanOf(Coloring::kLeftStar, kPurple, Icon::Star),
         PlanOf(Coloring::kScrapbook, kCream, Icon::Scrapbook),
         PlanOf(Coloring::kVoiceOver, kCream, Icon::Speaker)},
        out);
    for (KitPicture& frames : BuildSkyAnimations(bg)) out.push_back(std::move(frames));
    return out;
}

std::vector<KitPicture> BuildSplashes() {
    const ScreenLayout& screen = Coloring::kScreen;
    Canvas brand(screen.width, screen.height, kSky);
    Dots(brand, 0x92DBFF, 48, 10);
    Rainbow(brand, 320, 330, 260);
    DrawSun(brand, 110, 100, 46);
    Panel(brand, 120, 300, 400, 120, 40, kWhite);
    brand.Text("Pimbly", 120, 300, 400, 120, 84, kRed, kInk, 4);
    Stars(brand,
          {{{540, 90, 26}}, {{590, 170, 14}}, {{470, 60, 12}}, {{60, 420, 16}}, {{590, 420, 20}}});

    Canvas story(screen.width, screen.height, kPurple);
    Dots(story, 0xB66DAA, 40, 5);
    DrawIcon(story, Icon::Book, 320, 250, 330);
    for (int i = 0; i < 8; ++i) {
        StarPath(story.Cr(), 320 + 230 * std::cos(i * M_PI / 4), 240 + 170 * std::sin(i * M_PI / 4),
                 22, 10, i * 0.3);
        story.FillStroke(i % 2 ? kSun : kPink, kInk, 2.5);
    }
    story.Text("Talewick", 40, 20, 560, 110, 80, kSun, kInk, 5);
    story.Text("Colour the story!", 40, 390, 560, 70, 40, kWhite, kInk, 3);

    Canvas bye(screen.width, screen.height, 0x24246D);
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
    return {{PathOf(screen, Coloring::kBrandSplash.file), brand.ToImage(), true},
            {PathOf(screen, Coloring::kStorySplash.file), story.ToImage(), true},
            {PathOf(screen, Coloring::kClosingPicture.file), bye.ToImage()}};
}

std::vector<KitPicture> BuildConfirmations() {
    using Quit = ScreenLayouts::Quit;
    const ScreenLayout& trashScreen = ScreenLayouts::Trash::kScreen;
    Canvas quit = ScreenCanvas(Quit::kScreen);
    Card(quit, kSky);
    DrawIcon(quit, Icon::Door, 150, 110, 150);
    quit.Text("?", 230, 30, 120, 160, 140, kRed, kInk, 4);
    const KitImage quitBg = quit.ToImage();

    Canvas trash = ScreenCanvas(trashScreen);
    Card(trash, kLeaf);
    DrawIcon(trash, Icon::Trash, 199, 78, 120);
    trash.Text("?", 270, 20, 100, 120, 90, kRed, kInk, 3);
    const KitImage trashBg = trash.ToImage();

    std::vector<KitPicture> out = {
        {PathOf(Quit::kScreen, Quit::kBackdrop.file), quitBg},
        {PathOf(trashScreen, ScreenLayouts::Trash::kBackdrop.file), trashBg}};
    AddFaces(FolderOf(Quit::kScreen), quitBg,
             {PlanOf(Quit::kYes, kLeaf, Icon::Check), PlanOf(Quit::kNo, kPink, Icon::Cross)}, out);
    AddFaces(FolderOf(trashScreen), trashBg, TallYesNoFaces(), out);
    return out;
}

std::vector<KitPicture> BuildPrint() {
    using Print = ScreenLayouts::Print;
    Canvas print = ScreenCanvas(Print::kScreen);
    Card(print, kOrange);
    DrawIcon(print, Icon::Printer, 199, 46, 70);
    const KitImage bg = print.ToImage();
    std::vector<KitPicture> out = {{PathOf(Print::kScreen, Print::kBackdrop.file), bg}};
    AddFaces(FolderOf(Print::kScreen), bg, TallYesNoFaces(), out);
    AddSwitch(out, bg, Print::kScreen, Print::kTextToggle, Icon::Letters, Icon::NoLetters);
    return out;
}

std::vector<KitPicture> BuildOptions(const std::string& creditsText) {
    const ScreenLayout& screen = Options::kScreen;
    Canvas options = ScreenCanvas(screen);
    Card(options, kPurple);
    DrawSun(options, 50, 56, 20);
    Stars(options, {{{350, 60, 14}}, {{340, 120, 9}}, {{60, 120, 9}}});
    const KitImage bg = options.ToImage();
    std::vector<KitPicture> out = {{PathOf(screen, Options::kBackdrop.file), bg}};
    AddFaces(
        FolderOf(screen), bg,
        {PlanOf(Options::kOk, kSky, Icon::Back), PlanOf(Options::kLearning, kCream, Icon::Bulb),
         PlanOf(Options::kCredits, kCream, Icon::Heart)},
        out);
    AddSwitch(out, bg, screen, Options::kSound, Icon::Speaker, Icon::SpeakerOff);
    AddSwitch(out, bg, screen, Options::kLines, Icon::InsideLines, Icon::OutsideLines);

    Canvas credits(Options::kCreditsPicture.width, Options::kCreditsPicture.height);
    Card(credits, kPink);
    DrawIcon(credits, Icon::Heart, 320, 70, 80);
    credits.Text(creditsText, 60, 110, 520, 310, 20, kBlue);
    const CRect& band = Options::kTickerBand.rect;
    cairo_rectangle(credits.Cr(), band.left, band.top, band.Width(), band.Height());
    credits.SetColour(0xFBD604);
    cairo_fill(credits.Cr());
    Stars(credits, {{{452, 427, 6}}, {{60, 60, 16}}, {{580, 60, 16}}});
    out.push_back({PathOf(screen, Options::kCreditsPicture.file), credits.ToImage()});
    return out;
}

std::vector<KitPicture> BuildSlideShow() {
    const ScreenLayout& screen = SlideShow::kScreen;
    Canvas c(screen.width, screen.height, 0x6D0000);
    for (int x = 0; x < 640; x += 20) {  // curtain folds
        cairo_rectangle(c.Cr(), x, 0, 10, 480);
    }
    c.SetColour(0x920000);
    cairo_fill(c.Cr());
    Bunting(c, 0, 16);
    Panel(c, 106, 33, 426, 292, 10, kDark);
    Well(c, SlideShow::kSlideArea, kDark);
    Panel(c, 10, 28, 90, 190, 14, kTan);
    Panel(c, 530, 28, 106, 72, 14, kTan);
    Stars(c, {{{320, 380, 20}}, {{230, 420, 12}}, {{410, 420, 12}}, {{590, 200, 14}}});
    const KitImage bg = c.ToImage();
    std::vector<KitPicture> out = {{PathOf(screen, SlideShow::kBackdrop.file), bg}};
    AddFaces(FolderOf(screen), bg,
             {PlanOf(SlideShow::kPlay, kCream, Icon::Play),
              PlanOf(SlideShow::kStop, kCream, Icon::Pause),
              PlanOf(SlideShow::kRewind, kCream, Icon::Rewind),
              PlanOf(SlideShow::kExit, kSky, Icon::Back),
              PlanOf(SlideShow::kUseScript, kSun, Icon::Film)},
             out);
    return out;
}

std::vector<KitPicture> BuildScrapbookScreen() {
    const ScreenLayout& screen = Scrapbook::kScreen;
    const CRect& track = Scrapbook::kScrollTrack.rect;
    Canvas c(screen.width, screen.height, kTan);
    Dots(c, kYellow, 32, 5);
    Bunting(c, 0, 14);
    Panel(c, 30, 164, 580, 16, 4, kWood);  // the shelf plank under the books
    Panel(c, track.left, track.top, track.Width(), track.Height(), 12, kWood);
    Well(c, Scrapbook::kThumbnailArea, kWhite);
    const KitImage bg = c.ToImage();

    Canvas frame(Scrapbook::kBookFrame.width, Scrapbook::kBookFrame.height, kRed);
    Dots(frame, kPink, 20, 4);
    Canvas scrapFrame(Scrapbook::kScrapbookFrame.width, Scrapbook::kScrapbookFrame.height, kSky);
    Dots(scrapFrame, kSun, 20, 4);
    Canvas trackPicture(Scrapbook::kTrack.width, Scrapbook::kTrack.height, kWood);
    trackPicture.RoundRect(6, 10, trackPicture.Width() - 12, 8, 4);
    trackPicture.FillStroke(kTan, kInk, 1.5);
    Canvas thumb(Scrapbook::kThumb.width, Scrapbook::kThumb.height, kOrange);
    thumb.RoundRect(1, 1, thumb.Width() - 2, thumb.Height() - 2, 8);
    thumb.FillStroke(kSun, kInk, 2);

    std::vector<KitPicture> out = {
        {PathOf(screen, Scrapbook::kBackdrop.file), bg},
        {PathOf(screen, Scrapbook::kBookFrame.file), frame.ToImage()},
        {PathOf(screen, Scrapbook::kScrapbookFrame.file), scrapFrame.ToImage()},
        {PathOf(screen, Scrapbook::kTrack.file), trackPicture.ToImage()},
        {PathOf(screen, Scrapbook::kThumb.file), thumb.ToImage()}};
    AddFaces(FolderOf(screen), bg,
             {PlanOf(Scrapbook::kReturn, kSky, Icon::Back),
              PlanOf(Scrapbook::kPrint, kCream, Icon::Printer),
              PlanOf(Scrapbook::kTrash, kCream, Icon::Trash),
              PlanOf(Scrapbook::kScrapbook, kCream, Icon::Scrapbook),
              PlanOf(Scrapbook::kImageLeft, kOrange, Icon::Left),
              PlanOf(Scrapbook::kImageRight, kOrange, Icon::Right),
              PlanOf(Scrapbook::kOptions, kPurple, Icon::Bulb),
              PlanOf(Scrapbook::kProjector, kSun, Icon::Film),
              PlanOf(Scrapbook::kAddSlide, kLeaf, Icon::Plus),
              PlanOf(Scrapbook::kScribblePad, kCream, Icon::Pencil)},
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
        {"scrapbook screen", BuildScrapbookScreen},
        {"picture messages", BuildMessages}};
    for (const auto& [name, build] : builders)
        jobs.push_back({name, [contentDir, build] {
                            bool ok = true;
                            for (KitPicture& picture : build())
                                ok = WriteJob(contentDir, std::move(picture)).run() && ok;
                            return ok;
                        }});
}
