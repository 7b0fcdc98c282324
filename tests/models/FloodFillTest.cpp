// The bucket on a blank page (one object over the whole picture, in full light): it floods
// the clicked colour up to what was drawn, shades a soft edge by how much of the clicked
// colour it holds, crosses gaps but not lines that only touch at corners, lays textures by
// the page's coordinates, and is undone as one step.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "painting/CColourFloodFill.h"
#include "painting/CGlimAreaFill.h"

using namespace fixture;

namespace {

constexpr int kSize = 60;
constexpr double kCentre = 30.0;
const Rgb kWhite{255, 255, 255};
const Rgb kInk{90, 20, 40};
constexpr BYTE kFillRed = 249;  // red 250 under full light

double Distance(int x, int y) {
    return std::hypot(x - kCentre, y - kCentre);
}
// An antialiased ink ring: solid between radii 14 and 18, fading out over 1.5 pixels.
double RingInk(int x, int y) {
    return std::clamp((3.5 - std::abs(Distance(x, y) - 16.0)) / 1.5, 0.0, 1.0);
}
BYTE Mix(BYTE paper, BYTE ink, double inkShare) {
    return static_cast<BYTE>(std::lround(paper * (1.0 - inkShare) + ink * inkShare));
}
Rgb Ring(int x, int y) {
    const double ink = RingInk(x, y);
    return {Mix(255, kInk.b, ink), Mix(255, kInk.g, ink), Mix(255, kInk.r, ink)};
}

class BlankPageBucket : public ::testing::Test {
  protected:
    // Loads a blank page of its own whose uncoloured picture is `page`.
    CGlimImage& Load(const PixelFn& page) {
        const std::string folder = dir / ("page" + std::to_string(books.size()));
        WriteScene(
            folder, kSize, kSize, Solid(kWhite),
            [](int x, int y) {
                return Rgb{1, static_cast<BYTE>(y * 4), static_cast<BYTE>(x * 4)};
            },
            page);
        books.push_back(std::make_unique<CGlimBook>());
        EXPECT_TRUE(books.back()->Load(folder, "story.txt"));
        CGlimImage& picture = *books.back()->GetImage(0);
        EXPECT_TRUE(picture.EnsureCanvas(false));
        return picture;
    }
    bool Fill(CGlimImage& picture, CPoint at, const Swatch& swatch) {
        CGlimAreaFill bucket([] { return DWORD{0}; });
        bucket.SetSwatch(swatch);
        return bucket.Fill(&picture, at, nullptr);
    }
    static BYTE Red(CGlimImage& picture, int x, int y) { return picture.ViewCanvas().At(x, y)[2]; }
    // Whether the bucket coloured exactly the pixels `flooded` names.
    static void ExpectFlooded(CGlimImage& picture, const std::function<bool(int, int)>& flooded) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                EXPECT_EQ(Red(picture, x, y) == kFillRed, flooded(x, y)) << x << "," << y;
    }

    TempDir dir;
    std::vector<std::unique_ptr<CGlimBook>> books;
    const Swatch red = Swatch::Solid(250, 10, 10);
};

}  // namespace

TEST_F(BlankPageBucket, FillsInsideARingShadesItsSoftEdgeAndUndoesAsOneStep) {
    CGlimImage& picture = Load(Ring);
    ASSERT_TRUE(Fill(picture, CPoint(30, 30), red));
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double d = Distance(x, y);
            const BYTE before = Ring(x, y).r;
            if (d <= 12.0) {
                EXPECT_EQ(Red(picture, x, y), kFillRed) << x << "," << y;
            } else if (d >= 14.0) {
                EXPECT_EQ(Red(picture, x, y), before) << x << "," << y;
            } else {
                // Laid on with the share of paper in the pixel, within a sixth.
                const double share = 1.0 - RingInk(x, y);
                const double want = before + share * (kFillRed - before);
                EXPECT_NEAR(Red(picture, x, y), want, (kFillRed - before) / 6.0 + 1)
                    << x << "," << y;
            }
        }
    }
    ASSERT_TRUE(picture.Undo());
    for (int y = 0; y < kSize; y += 3)
        for (int x = 0; x < kSize; x += 3) EXPECT_EQ(Red(picture, x, y), Ring(x, y).r);
}

TEST_F(BlankPageBucket, CrossesAGapButNotACornerOnlyLineNorAStrongerTint) {
    // The ring open at the top: inside and outside are one patch.
    CGlimImage& open =
        Load([](int x, int y) { return y < 20 && std::abs(x - 30) <= 2 ? kWhite : Ring(x, y); });
    ASSERT_TRUE(Fill(open, CPoint(30, 30), red));
    EXPECT_EQ(Red(open, 0, 59), kFillRed);

    // Ink pixels touching only at their corners divide the page.
    CGlimImage& stairs = Load([](int x, int y) { return x == y ? kInk : kWhite; });
    ASSERT_TRUE(Fill(stairs, CPoint(20, 2), red));
    ExpectFlooded(stairs, [](int x, int y) { return x > y; });

    // Faint tints within the tolerance join the patch; a column one step stronger stops it.
    const BYTE faint = 255 - CColourFloodFill::kTolerance;
    CGlimImage& tints = Load([faint](int x, int y) {
        if (x == 40) return Rgb{255, 255, static_cast<BYTE>(faint - 1)};
        return (x + y) % 2 == 0 ? kWhite : Rgb{faint, 255, 255};
    });
    ASSERT_TRUE(Fill(tints, CPoint(2, 2), red));
    ExpectFlooded(tints, [](int x, int) { return x < 40; });
}

TEST_F(BlankPageBucket, LaysATextureAlongThePage) {
    // Four bands across the texture, stretched over the page's coordinates (u = 4x).
    WriteBmp(dir / "bands.bmp", 4, 1, [](int x, int) {
        return Rgb{static_cast<BYTE>(x * 60), 100, 200};
    });
    CDib bands;
    ASSERT_TRUE(bands.Load(dir / "bands.bmp"));
    const CLayerView texture(&bands.GetHeader()->bmiHeader, bands.GetBits(), bands.GetImageSize());
    CGlimImage& picture = Load(Solid(kWhite));
    ASSERT_TRUE(Fill(picture, CPoint(5, 5), Swatch(texture, 64.0f, 256.0f)));
    std::set<BYTE> blues;
    for (int x = 0; x < kSize; x += 3) blues.insert(picture.ViewCanvas().At(x, 30)[0]);
    EXPECT_EQ(blues, (std::set<BYTE>{0, 59, 119, 179}));
}
