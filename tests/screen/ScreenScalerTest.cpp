// The screen scaler against a plain reference of its filter (enlarge by the whole factor
// with nearest-neighbour, then sample linearly), and partial scaling of changed
// rectangles against scaling everything again.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/backend/ScreenScaler.h"

namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(pixels.data()); }
    const std::uint8_t* Bytes() const {
        return reinterpret_cast<const std::uint8_t*>(pixels.data());
    }
    int Stride() const { return width * 4; }
};

// Blocks of flat colour with random breaks: hard edges are where filters go wrong.
Image RandomPicture(int w, int h, unsigned seed) {
    Image image(w, h);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) =
                (random() % 4 == 0 || x == 0)
                    ? (0xFF000000U | (random() & 0xFFFFFFU))
                    : (y > 0 && random() % 2 ? image.At(x, y - 1) : image.At(x - 1, y));
    return image;
}

int Channel(std::uint32_t pixel, int c) {
    return static_cast<int>((pixel >> (8 * c)) & 0xFF);
}

// The filter written out the long way, in floating point.
Image ReferenceScale(const Image& source, int dw, int dh) {
    const int fx = std::max(1, (dw + source.width - 1) / source.width);
    const int fy = std::max(1, (dh + source.height - 1) / source.height);
    Image big(source.width * fx, source.height * fy);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) big.At(x, y) = source.At(x / fx, y / fy);
    Image out(dw, dh);
    for (int y = 0; y < dh; ++y) {
        const double py = (y + 0.5) * big.height / dh - 0.5;
        const int y0 = std::clamp(static_cast<int>(std::floor(py)), 0, big.height - 1);
        const int y1 = std::clamp(static_cast<int>(std::floor(py)) + 1, 0, big.height - 1);
        const double wy = py - std::floor(py);
        for (int x = 0; x < dw; ++x) {
            const double px = (x + 0.5) * big.width / dw - 0.5;
            const int x0 = std::clamp(static_cast<int>(std::floor(px)), 0, big.width - 1);
            const int x1 = std::clamp(static_cast<int>(std::floor(px)) + 1, 0, big.width - 1);
            const double wx = px - std::floor(px);
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) {
                const double top =
                    Channel(big.At(x0, y0), c) * (1 - wx) + Channel(big.At(x1, y0), c) * wx;
                const double bottom =
                    Channel(big.At(x0, y1), c) * (1 - wx) + Channel(big.At(x1, y1), c) * wx;
                const auto v =
                    static_cast<std::uint32_t>(std::lround(top * (1 - wy) + bottom * wy));
                pixel |= std::min(v, 255U) << (8 * c);
            }
            out.At(x, y) = pixel;
        }
    }
    return out;
}

Image ScaleAll(ScreenScaler& scaler, const Image& source, int dw, int dh) {
    Image out(dw, dh);
    scaler.Scale(source.Bytes(), source.Stride(), out.Bytes(), out.Stride(), CRect(0, 0, dw, dh));
    return out;
}

struct Case {
    int sw, sh, dw, dh;
};

const Case kCases[] = {
    {64, 48, 64, 48},       // scale 1
    {64, 48, 128, 96},      // 2
    {40, 30, 120, 90},      // 3
    {640, 480, 1024, 768},  // 1.6, the common laptop
    {53, 30, 85, 48},       // 1.6 with a display that does not divide evenly
    {64, 48, 40, 30},       // a window smaller than the display
    {30, 20, 77, 49},       // uneven fractions on both axes
};

TEST(ScreenScaler, MatchesTheReferenceFilterAtEveryScale) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
        const Image source = RandomPicture(c.sw, c.sh, 7);
        ScreenScaler scaler;
        scaler.Configure(CSize(c.sw, c.sh), CSize(c.dw, c.dh));
        const Image got = ScaleAll(scaler, source, c.dw, c.dh);
        const Image want = ReferenceScale(source, c.dw, c.dh);
        int worst = 0;
        for (std::size_t i = 0; i < got.pixels.size(); ++i)
            for (int ch = 0; ch < 3; ++ch)
                worst = std::max(
                    worst, std::abs(Channel(got.pixels[i], ch) - Channel(want.pixels[i], ch)));
        // Weights are in 256ths and two passes round down: a few levels at most.
        EXPECT_LE(worst, 3);
    }
}

TEST(ScreenScaler, WholeScalesRepeatPixelsExactly) {
    const Image source = RandomPicture(32, 24, 3);
    for (int k = 1; k <= 4; ++k) {
        ScreenScaler scaler;
        scaler.Configure(CSize(32, 24), CSize(32 * k, 24 * k));
        const Image got = ScaleAll(scaler, source, 32 * k, 24 * k);
        for (int y = 0; y < got.height; ++y)
            for (int x = 0; x < got.width; ++x)
                ASSERT_EQ(got.At(x, y), source.At(x / k, y / k))
                    << "k=" << k << " at " << x << "," << y;
    }
}

// Scaling only what a change can reach gives the same output as scaling everything.
TEST(ScreenScaler, ChangedRectanglesAloneGiveTheWholeResult) {
    std::mt19937 random(11);
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
        Image source = RandomPicture(c.sw, c.sh, 5);
        ScreenScaler scaler;
        scaler.Configure(CSize(c.sw, c.sh), CSize(c.dw, c.dh));
        Image shown = ScaleAll(scaler, source, c.dw, c.dh);
        for (int round = 0; round < 20; ++round) {
            const int l = static_cast<int>(random() % c.sw), t = static_cast<int>(random() % c.sh);
            const CRect changed(l, t, l + 1 + static_cast<int>(random() % 9),
                                t + 1 + static_cast<int>(random() % 9));
            for (int y = changed.top; y < std::min(changed.bottom, c.sh); ++y)
                for (int x = changed.left; x < std::min(changed.right, c.sw); ++x)
                    source.At(x, y) = 0xFF000000U | (random() & 0xFFFFFFU);
            const CRect out = scaler.AffectedOutput(changed);
            scaler.Scale(source.Bytes(), source.Stride(), shown.Bytes(), shown.Stride(), out);
            // Each side reaches at most one output pixel past the change's exact image.
            const double sx = static_cast<double>(c.dw) / c.sw,
                         sy = static_cast<double>(c.dh) / c.sh;
            EXPECT_LE(out.Width(), std::ceil(changed.Width() * sx) + 2);
            EXPECT_LE(out.Height(), std::ceil(changed.Height() * sy) + 2);
        }
        const Image fresh = ScaleAll(scaler, source, c.dw, c.dh);
        EXPECT_EQ(shown.pixels, fresh.pixels);
    }
}

TEST(ScreenScaler, ChangesOutsideTheSourceReachNothing) {
    ScreenScaler scaler;
    scaler.Configure(CSize(64, 48), CSize(100, 75));
    EXPECT_TRUE(scaler.AffectedOutput(CRect(64, 0, 80, 10)).IsRectEmpty());
    EXPECT_TRUE(scaler.AffectedOutput(CRect(5, 5, 5, 9)).IsRectEmpty());
    EXPECT_EQ(scaler.AffectedOutput(CRect(-10, -10, 100, 100)), CRect(0, 0, 100, 75));
}

}  // namespace
