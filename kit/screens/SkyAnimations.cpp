#include "screens/SkyAnimations.h"

#include <array>
#include <cmath>
#include <functional>

#include "screens/SunArt.h"

using namespace Colours;

namespace {

using Coloring = ScreenLayouts::Coloring;
constexpr int kFrames = Coloring::kAnimationFrames;

// Where the background draws the sun and the rainbow, on the screen.
constexpr double kSunX = 60, kSunY = 340, kSunRadius = 18;
constexpr double kRainbowX = 580, kRainbowY = 372, kRainbowRadius = 44;

// Frames side by side: frame i is the background under `place` with `draw(canvas, i)` over
// it, the canvas's origin moved to the screen's so the art is placed in screen coordinates.
KitImage Strip(const KitImage& background, const CRect& place,
               const std::function<void(Canvas&, int)>& draw) {
    const KitImage under = Crop(background, place.left, place.top, place.Width(), place.Height());
    Canvas strip(place.Width() * kFrames, place.Height());
    for (int frame = 0; frame < kFrames; ++frame) {
        Canvas c(under);
        cairo_translate(c.Cr(), -place.left, -place.top);
        draw(c, frame);
        strip.Paste(c.ToImage(), frame * place.Width(), 0);
    }
    return strip.ToImage();
}

void SunFrame(Canvas& c, int frame) {
    static constexpr std::array<double, kFrames> kReach = {1.75, 1.82, 1.88, 1.88,
                                                           1.88, 1.82, 1.76, 1.72};
    // No frame draws the rays shorter than the still sun's 1.7 radii, so they cover them.
    DrawSun(c, kSunX, kSunY, kSunRadius, kReach[static_cast<std::size_t>(frame)],
            frame >= 2 && frame <= 5);
}

// The rainbow's bands with their colours rolled `shift` bands outward, and three sparkles
// that travel along the middle band.
void RainbowFrame(Canvas& c, int shift) {
    const std::uint32_t bands[] = {kRed, kOrange, kSun, kGreen, kSky, kPurple};
    const double x = kRainbowX, y = kRainbowY, r = kRainbowRadius;
    for (int i = 0; i < 6; ++i) {
        cairo_new_sub_path(c.Cr());
        cairo_arc(c.Cr(), x, y, r - i * r / 9, M_PI, 2 * M_PI);
        c.SetColour(bands[(i + 6 - shift % 6) % 6]);
        cairo_set_line_width(c.Cr(), r / 9 + 0.5);
        cairo_stroke(c.Cr());
    }
    const double middle = r - 2.5 * r / 9;
    for (int s = 0; s < 3; ++s) {
        const double along = (shift + s * kFrames / 3.0 + 0.5) / kFrames;
        const double a = M_PI * (1.12 + 0.76 * std::fmod(along, 1.0));  // clear of the ends
        StarPath(c.Cr(), x + middle * std::cos(a), y + middle * std::sin(a), 6, 2.5, a);
        c.FillStroke(kWhite, kInk, 1);
    }
}

}  // namespace

std::vector<KitPicture> BuildSkyAnimations(const KitImage& background) {
    const ScreenLayout& screen = Coloring::kScreen;
    return {{PathOf(screen, Coloring::kSunFrames.file),
             Strip(background, Coloring::kSun.rect, SunFrame)},
            {PathOf(screen, Coloring::kRainbowFrames.file),
             Strip(background, Coloring::kRainbow.rect, RainbowFrame)}};
}
