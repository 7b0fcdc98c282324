// The strip-wise region fill against one PaintPixel call per pixel: the same canvas bytes,
// the same area still to redraw at every reading of the clock, the same undo snapshot; with
// the vector loop and with the plain one, over swatch sizes, pixel formats and strip edges;
// and far pixels of a receding surface taking the swatch's mean instead of one stripe.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SceneFixture.h"
#include "coloring/CPictureView.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/base/WinUser.h"
#include "platform/window/CWnd.h"

using namespace fixture;

namespace {

// Objects 0..3 in blocks (long segments, so whole groups of eight go through the vector
// loop) sprinkled with single pixels of other objects (short segments and group breaks);
// noisy texture coordinates, light and uncoloured picture.
PixelFn BlockMapping(unsigned seed) {
    return [seed](int x, int y) {
        std::minstd_rand random(seed * 7919u + static_cast<unsigned>(y * 4099 + x));
        const int id = random() % 13 == 0 ? static_cast<int>(random() % 4) : (x / 23 + y / 9) % 4;
        return Rgb{static_cast<BYTE>(id), static_cast<BYTE>(random()), static_cast<BYTE>(random())};
    };
}

PixelFn Noise(unsigned seed) {
    return [seed](int x, int y) {
        std::minstd_rand random(seed + static_cast<unsigned>(y * 7193 + x * 31));
        return Rgb{static_cast<BYTE>(random()), static_cast<BYTE>(random()),
                   static_cast<BYTE>(random())};
    };
}

enum class Way { PerPixel, Plain, Vector };

// What one fill leaves behind.
struct Outcome {
    bool result = false;
    std::vector<CRect> readings;
    std::vector<BYTE> canvas;
    std::vector<BYTE> undone;
    std::vector<BYTE> strokes;  // after a full-strength brush and eraser stroke
};

std::vector<BYTE> CanvasBytes(CGlimImage& picture) {
    CDib* canvas = picture.GetPrintPicture(true);
    return std::vector<BYTE>(canvas->GetBits(), canvas->GetBits() + canvas->GetImageSize());
}

void Stroke(CGlimImage& picture, const Swatch& swatch, bool erase, bool perPixel, CPoint from,
            CPoint to) {
    CGlimBrush brush(erase);
    brush.SetPerPixelCalls(perPixel);
    brush.SetSwatch(swatch);
    brush.MakeRound(4, 1.0f);
    brush.BeginStroke(&picture, from);
    brush.MoveTo(to);
    brush.EndStroke(true);
}

// Fills at `click` in a window the size of the scene, with a clock moving 30 ms a reading
// that notes the area still to redraw at each reading; then undoes, redoes and strokes.
Outcome FillOnce(const std::string& folder, const Swatch& swatch, CPoint click, Way way) {
    CGlimBook book;
    EXPECT_TRUE(book.Load(folder, "story.txt"));
    CGlimImage& picture = *book.GetImage(0);
    const CSize size = picture.EnsureCanvas(false) ? picture.GetSize() : CSize(8, 8);
    HeadlessBackend backend(size.cx, size.cy, 32);
    Backend* previous = SetBackend(&backend);
    Outcome outcome;
    {
        CWnd window;
        EXPECT_TRUE(
            window.CreateEx(WS_POPUP | WS_VISIBLE, CRect(0, 0, size.cx, size.cy), nullptr, 0));
        CPictureView view;
        view.Show(picture, &window);
        DWORD clock = 0;
        CGlimImage::AllowVectorUnit(way == Way::Vector);
        CGlimAreaFill fill([&] {
            outcome.readings.push_back(picture.GetChangedArea());
            return clock += 30;
        });
        fill.SetRefresh(view.Refresher());
        fill.SetPerPixelCalls(way == Way::PerPixel);
        fill.SetSwatch(swatch);
        outcome.result = fill.Fill(&picture, click, nullptr);
        CGlimImage::AllowVectorUnit(true);
        outcome.canvas = CanvasBytes(picture);
        picture.Undo();
        outcome.undone = CanvasBytes(picture);
        picture.Redo();
        Stroke(picture, swatch, false, way == Way::PerPixel, CPoint(3, 2), click);
        Stroke(picture, swatch, true, way == Way::PerPixel, click, CPoint(size.cx / 2, 1));
        outcome.strokes = CanvasBytes(picture);
    }
    SetBackend(previous);
    return outcome;
}

void ExpectSameOutcome(const Outcome& literal, const Outcome& bulk, const char* way) {
    SCOPED_TRACE(way);
    EXPECT_EQ(bulk.result, literal.result);
    EXPECT_EQ(bulk.readings, literal.readings);
    EXPECT_TRUE(bulk.canvas == literal.canvas);
    EXPECT_TRUE(bulk.undone == literal.undone);
    EXPECT_TRUE(bulk.strokes == literal.strokes);
}

// Scene with layers of `bitCount` bits; a swatch of the given size of noise.
class FillMatchesPerPixel : public ::testing::Test {
  protected:
    void WriteLayers(int width, int height, int bitCount, unsigned seed) {
        WriteScene(dir.Path(), width, height, Noise(seed), BlockMapping(seed), Noise(seed + 1));
        if (bitCount != 24) {
            WriteBmpBits(dir / "scene/lt.bmp", width, height, bitCount, Noise(seed));
            WriteBmpBits(dir / "scene/mg.bmp", width, height, bitCount, BlockMapping(seed));
            WriteBmpBits(dir / "scene/ou.bmp", width, height, bitCount, Noise(seed + 1));
        }
    }
    void LoadSwatch(int width, int height, int bitCount = 24) {
        WriteBmpBits(dir / "swatch.bmp", width, height, bitCount, Noise(99));
        ASSERT_TRUE(crayon.LoadFiles(dir / "swatch.bmp", dir / "sel.bmp"));
        swatch = crayon.GetSwatch();
    }
    // Every way of filling at `click` gives the per-pixel outcome; returns that outcome.
    Outcome ExpectAllWaysAgree(CPoint click) {
        const Outcome literal = FillOnce(dir.Path(), swatch, click, Way::PerPixel);
        ExpectSameOutcome(literal, FillOnce(dir.Path(), swatch, click, Way::Plain), "plain");
        ExpectSameOutcome(literal, FillOnce(dir.Path(), swatch, click, Way::Vector), "vector");
        return literal;
    }

    TempDir dir;
    MessageRecorder messages;
    CCrayon crayon;
    Swatch swatch;
};

TEST_F(FillMatchesPerPixel, SwatchesOfEverySize) {
    // Sizes that are not powers of two give fractional scale factors (256 / 5 = 51.2); a
    // swatch wider than 256 pixels skips columns; 1 × 1 is one flat colour.
    const CSize swatches[] = {{1, 1}, {5, 7}, {3, 100}, {24, 13}, {256, 256}, {300, 257}};
    WriteLayers(131, 47, 24, 5);
    unsigned clicks = 0;
    for (const CSize swatch : swatches) {
        SCOPED_TRACE(testing::Message() << swatch.cx << " x " << swatch.cy);
        LoadSwatch(swatch.cx, swatch.cy);
        const CPoint click(static_cast<int>(clicks * 37 % 131), static_cast<int>(clicks * 11 % 47));
        ++clicks;
        const Outcome literal = ExpectAllWaysAgree(click);
        EXPECT_TRUE(literal.result);
        EXPECT_FALSE(literal.canvas == literal.undone);  // the fill did colour
    }
}

TEST_F(FillMatchesPerPixel, ThirtyTwoBitLayersAndSwatch) {
    WriteLayers(61, 29, 32, 8);
    LoadSwatch(19, 11, 32);
    EXPECT_TRUE(ExpectAllWaysAgree(CPoint(30, 10)).result);
}

TEST_F(FillMatchesPerPixel, UnusableSwatchPaintsNothing) {
    // A 16-bit swatch loads but cannot be laid on a surface: every pixel is refused.
    WriteLayers(70, 20, 24, 3);
    LoadSwatch(16, 16, 16);
    const Outcome literal = ExpectAllWaysAgree(CPoint(40, 5));
    EXPECT_TRUE(literal.result);
    EXPECT_TRUE(literal.canvas == literal.undone);
    for (const CRect& pending : literal.readings) EXPECT_TRUE(pending.IsRectEmpty());
}

TEST_F(FillMatchesPerPixel, SolidSwatch) {
    WriteLayers(77, 31, 24, 13);
    swatch = Swatch::Solid(250, 128, 3);
    const Outcome literal = ExpectAllWaysAgree(CPoint(50, 20));
    EXPECT_TRUE(literal.result);
    EXPECT_FALSE(literal.canvas == literal.undone);
}

TEST_F(FillMatchesPerPixel, LayersOfDifferentSizes) {
    // Canvas 90 × 40, mapping narrower, shading shorter: only pixels inside all three change.
    WriteLayers(90, 40, 24, 11);
    WriteBmp(dir / "scene/mg.bmp", 71, 40, BlockMapping(11));
    WriteBmp(dir / "scene/lt.bmp", 90, 33, Noise(11));
    LoadSwatch(9, 9);
    EXPECT_TRUE(ExpectAllWaysAgree(CPoint(20, 20)).result);
    EXPECT_FALSE(ExpectAllWaysAgree(CPoint(80, 20)).result);  // no object there
}

TEST_F(FillMatchesPerPixel, SceneWiderThanOneStrip) {
    // 1500 × 760 holds more pixels than one strip, so the fill paints it in two strips of
    // columns; the clock is still read after every column with the same area pending.
    WriteLayers(1500, 760, 24, 21);
    LoadSwatch(32, 32);
    const Outcome literal = ExpectAllWaysAgree(CPoint(700, 400));
    EXPECT_EQ(literal.readings.size(), 1501u);
}

// Stripes one texel wide on a 64 × 64 swatch (4 coordinates a texel): across when
// `acrossColumns`, else down the rows; odd texels white, even ones black.
PixelFn Stripes(bool acrossColumns) {
    return [acrossColumns](int x, int y) {
        const BYTE value = (acrossColumns ? x : y) % 2 == 1 ? 255 : 0;
        return Rgb{value, value, value};
    };
}

// Channel byte of canvas pixel (x, y) of a bottom-up 24-bit canvas `width` wide.
BYTE CanvasByte(const std::vector<BYTE>& canvas, int width, int height, int x, int y) {
    const std::size_t stride = static_cast<std::size_t>((width * 3 + 3) / 4 * 4);
    return canvas[static_cast<std::size_t>(height - 1 - y) * stride +
                  static_cast<std::size_t>(x) * 3];
}

// What a full-light pixel on stripe texel `texel` becomes: white shades to 254.
BYTE StripeShade(int texel) {
    return texel % 2 == 1 ? 254 : 0;
}

TEST_F(FillMatchesPerPixel, RecedingStripesTakeTheirMeanFarAwayAndStaySharpNearby) {
    // One object, fully lit; rows 0..9 recede 16 coordinates a row (four stripes a pixel),
    // rows 10 on come near, one coordinate a row. A single texel per far pixel would land
    // on black stripes only.
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    const auto v = [](int y) { return y < 10 ? y * 16 : 160 + (y - 10); };
    WriteScene(
        dir.Path(), kWidth, kHeight, Solid({255, 255, 255}),
        [&](int x, int y) {
            return Rgb{1, static_cast<BYTE>(v(y)), static_cast<BYTE>(x * 2)};
        },
        Solid({9, 9, 9}));
    WriteBmp(dir / "swatch.bmp", 64, 64, Stripes(false));
    ASSERT_TRUE(crayon.LoadFiles(dir / "swatch.bmp", dir / "swatch.bmp"));
    swatch = crayon.GetSwatch();
    const Outcome literal = ExpectAllWaysAgree(CPoint(10, 10));
    ASSERT_TRUE(literal.result);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const BYTE painted = CanvasByte(literal.canvas, kWidth, kHeight, x, y);
            if (y < 10) {
                EXPECT_NEAR(painted, 127, 2) << x << ", " << y;
            } else if (y > 10) {
                EXPECT_EQ(painted, StripeShade(v(y) / 4)) << x << ", " << y;
            }
        }
    }
}

TEST_F(FillMatchesPerPixel, WrapSeamStaysSharp) {
    // u runs three coordinates a pixel and wraps from 254 to 1 at column 19: a neighbour,
    // not a jump across the whole swatch, so the seam keeps its single texels.
    constexpr int kWidth = 40;
    constexpr int kHeight = 8;
    const auto u = [](int x) { return (x * 3 + 197) % 256; };
    WriteScene(
        dir.Path(), kWidth, kHeight, Solid({255, 255, 255}),
        [&](int x, int y) {
            return Rgb{2, static_cast<BYTE>(y), static_cast<BYTE>(u(x))};
        },
        Solid({9, 9, 9}));
    WriteBmp(dir / "swatch.bmp", 64, 64, Stripes(true));
    ASSERT_TRUE(crayon.LoadFiles(dir / "swatch.bmp", dir / "swatch.bmp"));
    swatch = crayon.GetSwatch();
    const Outcome literal = ExpectAllWaysAgree(CPoint(5, 5));
    ASSERT_TRUE(literal.result);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            EXPECT_EQ(CanvasByte(literal.canvas, kWidth, kHeight, x, y), StripeShade(u(x) / 4))
                << x << ", " << y;
}

}  // namespace
