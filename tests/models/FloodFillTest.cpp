// The colour flood of a blank page: what it covers on drawn canvases (rings, gaps, corner-only
// lines, near colours, soft fringes) and, through the bucket on a one-object page, what it
// leaves on the canvas and takes back on undo.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <vector>

#include "SceneFixture.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "painting/CColourFloodFill.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"

using namespace fixture;

namespace {

using Coverage = CColourFloodFill::Coverage;

const Rgb kWhite{255, 255, 255};
const Rgb kInk{90, 20, 40};

// A 32-bit canvas in memory, painted by a function of the pixel.
class Canvas {
  public:
    Canvas(int width, int height, const PixelFn& pixel)
        : m_width(width), m_height(height), m_bits(static_cast<std::size_t>(width) * height * 4) {
        m_header.biSize = sizeof(BITMAPINFOHEADER);
        m_header.biWidth = width;
        m_header.biHeight = height;
        m_header.biPlanes = 1;
        m_header.biBitCount = 32;
        m_header.biCompression = BI_RGB;
        const CLayerView view = View();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb c = pixel(x, y);
                BYTE* at = view.At(x, y);
                at[0] = c.b;
                at[1] = c.g;
                at[2] = c.r;
            }
        }
    }
    CLayerView View() { return CLayerView(&m_header, m_bits.data(), m_bits.size()); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

  private:
    int m_width;
    int m_height;
    BITMAPINFOHEADER m_header{};
    std::vector<BYTE> m_bits;
};

Rgb Mix(const Rgb& paper, const Rgb& ink, double inkShare) {
    const auto channel = [inkShare](BYTE a, BYTE b) {
        return static_cast<BYTE>(std::lround(a * (1.0 - inkShare) + b * inkShare));
    };
    return {channel(paper.b, ink.b), channel(paper.g, ink.g), channel(paper.r, ink.r)};
}

// An ink ring around (30, 30): solid between radii 14 and 18, fading to nothing over 1.5
// pixels on either side, as an antialiased stroke does.
constexpr double kCentre = 30.0;
double Distance(int x, int y) {
    return std::hypot(x - kCentre, y - kCentre);
}
double RingInk(int x, int y) {
    return std::clamp((3.5 - std::abs(Distance(x, y) - 16.0)) / 1.5, 0.0, 1.0);
}
PixelFn Ring(const std::function<bool(int, int)>& gap = {}) {
    return [gap](int x, int y) {
        if (gap && gap(x, y)) return kWhite;
        return Mix(kWhite, kInk, RingInk(x, y));
    };
}

void ExpectInsideRing(const Coverage& coverage, int size) {
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = Distance(x, y);
            const float strength = coverage.At(x, y);
            if (d <= 12.0)
                EXPECT_EQ(strength, 1.0f) << x << "," << y;
            else if (d >= 14.0)
                EXPECT_EQ(strength, 0.0f) << x << "," << y;
            else
                EXPECT_NEAR(strength, 1.0 - RingInk(x, y), 0.15) << x << "," << y;
        }
    }
}

}  // namespace

TEST(FloodTrace, StaysInsideAnAntialiasedRingAndShadesItsFringe) {
    Canvas canvas(60, 60, Ring());
    const Coverage coverage = CColourFloodFill::Trace(canvas.View(), CPoint(30, 30));
    ExpectInsideRing(coverage, 60);
    // Only the inside of the ring is held, not the page.
    CRect held;
    held.IntersectRect(coverage.bounds, CRect(15, 15, 46, 46));
    EXPECT_EQ(held, coverage.bounds);
}

TEST(FloodTrace, FromOutsideFillsAroundTheRingButNotIntoIt) {
    Canvas canvas(60, 60, Ring());
    const Coverage coverage = CColourFloodFill::Trace(canvas.View(), CPoint(0, 59));
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const double d = Distance(x, y);
            if (d >= 20.0) {
                EXPECT_EQ(coverage.At(x, y), 1.0f) << x << "," << y;
            } else if (d <= 18.0) {
                EXPECT_EQ(coverage.At(x, y), 0.0f) << x << "," << y;
            } else {
                EXPECT_NEAR(coverage.At(x, y), 1.0 - RingInk(x, y), 0.15) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(coverage.bounds, CRect(0, 0, 60, 60));
}

TEST(FloodTrace, LeaksThroughAGapButNotAcrossCornersOrStrongerTints) {
    // A ring open at the top: the inside and the outside are one patch.
    Canvas open(60, 60, Ring([](int x, int y) { return y < 20 && std::abs(x - 30) <= 2; }));
    const Coverage leaked = CColourFloodFill::Trace(open.View(), CPoint(30, 30));
    EXPECT_EQ(leaked.At(0, 0), 1.0f);
    EXPECT_EQ(leaked.At(59, 59), 1.0f);

    // A staircase of single ink pixels touching only at corners still divides the page;
    // the pixels beside it on the far side keep their colour.
    Canvas stairs(20, 20, [](int x, int y) { return x == y ? kInk : kWhite; });
    const Coverage upper = CColourFloodFill::Trace(stairs.View(), CPoint(15, 2));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(upper.At(x, y), x > y ? 1.0f : 0.0f) << x << "," << y;

    // Slight variations join the patch; a tint beyond the tolerance bounds it.
    const int near = CColourFloodFill::kTolerance;
    const int far = CColourFloodFill::kTolerance + 1;
    Canvas tints(30, 10, [near, far](int x, int) {
        if (x < 10) return Rgb{255, static_cast<BYTE>(255 - (x % 2) * near), 255};
        if (x == 15) return Rgb{255, static_cast<BYTE>(255 - far), 255};
        return kWhite;
    });
    const Coverage tinted = CColourFloodFill::Trace(tints.View(), CPoint(0, 5));
    EXPECT_EQ(tinted.At(9, 5), 1.0f);
    EXPECT_EQ(tinted.At(14, 5), 1.0f);
    EXPECT_LT(tinted.At(15, 5), 1.0f);
    EXPECT_EQ(tinted.At(16, 5), 0.0f);
    EXPECT_EQ(tinted.At(29, 0), 0.0f);
}

TEST(FloodTrace, FloodsAStrokeItselfAndLeavesANeighbouringColourAlone) {
    // Clicking the ink fills the ring; the paper's share of its fringe is not ink's to take.
    Canvas canvas(60, 60, Ring());
    const Coverage ink = CColourFloodFill::Trace(canvas.View(), CPoint(30, 14));
    EXPECT_EQ(ink.At(30, 46), 1.0f);
    EXPECT_EQ(ink.At(30, 30), 0.0f);
    EXPECT_EQ(ink.At(0, 0), 0.0f);
    // A hard edge to another colour is no mix of the two: nothing of it is coloured.
    Canvas halves(20, 20, [](int x, int) { return x < 10 ? kWhite : Rgb{0, 0, 255}; });
    const Coverage left = CColourFloodFill::Trace(halves.View(), CPoint(2, 2));
    EXPECT_EQ(left.At(9, 7), 1.0f);
    EXPECT_EQ(left.At(10, 7), 0.0f);
    EXPECT_EQ(left.At(11, 7), 0.0f);
}

TEST(FloodTrace, RefusesASeedOffTheCanvas) {
    Canvas canvas(8, 8, Solid(kWhite));
    EXPECT_TRUE(CColourFloodFill::Trace(canvas.View(), CPoint(8, 0)).IsEmpty());
    EXPECT_TRUE(CColourFloodFill::Trace(canvas.View(), CPoint(0, -1)).IsEmpty());
    EXPECT_TRUE(CColourFloodFill::Trace(CLayerView(), CPoint(0, 0)).IsEmpty());
}

// A blank page of one object over the whole picture in full light, as the scribble pad's.
class BlankPageBucket : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteScene(
            dir.Path(), 60, 60, Solid(kWhite),
            [](int x, int y) {
                return Rgb{1, static_cast<BYTE>(y * 4), static_cast<BYTE>(x * 4)};
            },
            Solid(kWhite));
        ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
        picture = book.GetImage(0);
        ASSERT_NE(picture, nullptr);
        ASSERT_TRUE(picture->EnsureCanvas(false));
    }

    // Draws the ring with a soft round brush, point by point around the circle.
    void DrawRing() {
        std::vector<float> soft(6 * 6);
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j)
                soft[i * 6 + j] =
                    static_cast<float>(std::clamp(3.2 - std::hypot(i - 2.5, j - 2.5), 0.0, 1.0));
        CGlimBrush brush(false);
        brush.MakeRound(3, 1.0f);  // centres the anchor on the 6 × 6 cells
        brush.SetMask(soft.data(), 6, 6);
        brush.SetSwatch(Swatch::Solid(kInk.r, kInk.g, kInk.b));
        brush.BeginStroke(picture, CPoint(46, 30));
        for (int step = 1; step <= 120; ++step) {
            const double angle = step * 2.0 * M_PI / 120.0;
            brush.MoveTo(CPoint(static_cast<int>(std::lround(30 + 16 * std::cos(angle))),
                                static_cast<int>(std::lround(30 + 16 * std::sin(angle)))));
        }
        brush.EndStroke(true);
    }

    std::vector<BYTE> Pixels() {
        const CLayerView canvas = picture->ViewCanvas();
        std::vector<BYTE> bytes;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                bytes.insert(bytes.end(), canvas.At(x, y), canvas.At(x, y) + 3);
        return bytes;
    }
    const BYTE* At(int x, int y) { return picture->ViewCanvas().At(x, y); }

    TempDir dir;
    CGlimBook book;
    CGlimImage* picture = nullptr;
};

TEST_F(BlankPageBucket, FillsInsideTheChildsRingAndUndoesAsOneStep) {
    DrawRing();
    const std::vector<BYTE> drawn = Pixels();
    CGlimAreaFill bucket([] { return DWORD{0}; });
    bucket.SetSwatch(Swatch::Solid(250, 10, 10));
    ASSERT_TRUE(bucket.Fill(picture, CPoint(30, 30), nullptr));
    const std::vector<BYTE> filled = Pixels();
    int changedOutside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * 60 + x) * 3;
            const double d = Distance(x, y);
            if (d <= 10.0) {
                // Full light darkens by one step: 250 * 255 / 256.
                EXPECT_EQ(filled[at + 2], 249) << x << "," << y;
                EXPECT_EQ(filled[at + 1], 9) << x << "," << y;
            }
            if (d >= 17.0 && filled[at + 2] != drawn[at + 2]) ++changedOutside;
        }
    }
    EXPECT_EQ(changedOutside, 0);
    EXPECT_FALSE(picture->GetChangedArea().IsRectEmpty());
    ASSERT_TRUE(picture->Undo());
    EXPECT_TRUE(Pixels() == drawn);
}

TEST_F(BlankPageBucket, LaysATextureAlongThePage) {
    // A texture of four colour bands across, stretched over the page's coordinates.
    WriteBmp(dir.Path() + "/bands.bmp", 4, 1, [](int x, int) {
        return Rgb{static_cast<BYTE>(x * 60), 100, 200};
    });
    CDib bands;
    ASSERT_TRUE(bands.Load(dir.Path() + "/bands.bmp"));
    const CLayerView texture(&bands.GetHeader()->bmiHeader, bands.GetBits(), bands.GetImageSize());
    CGlimAreaFill bucket([] { return DWORD{0}; });
    bucket.SetSwatch(Swatch(texture, 64.0f, 256.0f));
    ASSERT_TRUE(bucket.Fill(picture, CPoint(5, 5), nullptr));
    std::set<int> blues;
    for (int x = 0; x < 60; x += 3) blues.insert(At(x, 30)[0]);
    EXPECT_EQ(blues.size(), 4u);
}
