// Where the display lands on outputs of common sizes, and how output positions map back:
// every output pixel maps to the display pixel that gives it most of its colour.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/backend/ScreenLayout.h"
#include "platform/backend/ScreenScaler.h"

namespace {

TEST(ScreenLayout, KeepsWholeScalesThatFillAndFallsBackToFractions) {
    const CSize screen(640, 480);
    struct Row {
        CSize output;
        double scale;
    };
    const Row rows[] = {
        {{640, 480}, 1.0},   {{800, 600}, 1.0},   {{1024, 768}, 1.6},  {{1366, 768}, 1.6},
        {{1280, 1024}, 2.0}, {{1920, 1080}, 2.0}, {{1920, 1200}, 2.0}, {{2560, 1440}, 3.0},
        {{1920, 1440}, 3.0}, {{3840, 2160}, 4.0}, {{320, 240}, 0.5},   {{1000, 1000}, 1.5625},
    };
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(ScreenLayout::ChooseScale(row.output, screen), row.scale)
            << row.output.cx << "x" << row.output.cy;
    }
}

TEST(ScreenLayout, CentresTheDisplayWithBlackBars) {
    const ScreenLayout laptop(CSize(1366, 768), CSize(853, 480));
    EXPECT_EQ(laptop.Dest(), CRect(0, 0, 1365, 768));
    EXPECT_FALSE(laptop.IsWholeScale());
    const ScreenLayout wide(CSize(1920, 1080), CSize(640, 480));
    EXPECT_EQ(wide.Dest(), CRect(320, 60, 1600, 1020));
    EXPECT_TRUE(wide.IsWholeScale());
    // A window dragged wider than the picture: bars left and right.
    const ScreenLayout resized(CSize(1100, 700), CSize(640, 480));
    EXPECT_EQ(resized.Dest(), CRect(83, 0, 83 + 933, 700));
    // Only a little too big for scale 1: the picture stays sharp at its own size.
    EXPECT_EQ(ScreenLayout(CSize(900, 500), CSize(640, 480)).Dest(), CRect(130, 10, 770, 490));
}

TEST(ScreenLayout, MapsPositionsBackExactly) {
    const CSize display(640, 480);
    for (const CSize output : {CSize(640, 480), CSize(1024, 768), CSize(1920, 1080),
                               CSize(900, 500), CSize(3840, 2160), CSize(500, 400)}) {
        SCOPED_TRACE(testing::Message() << output.cx << "x" << output.cy);
        const ScreenLayout layout(output, display);
        const CRect& dest = layout.Dest();
        // Enlarged, every display pixel's centre maps back to it (shrunk, some display
        // pixels have no output pixel of their own).
        for (int x = 0; x < display.cx && layout.Scale() >= 1; ++x)
            ASSERT_EQ(layout.ToDisplay(layout.ToOutput(CPoint(x, 0))).x, x);
        for (int y = 0; y < display.cy && layout.Scale() >= 1; ++y)
            ASSERT_EQ(layout.ToDisplay(layout.ToOutput(CPoint(0, y))).y, y);
        // The corners of the picture are the display's corners; the bars lie outside.
        EXPECT_EQ(layout.ToDisplay(dest.TopLeft()), CPoint(0, 0));
        EXPECT_EQ(layout.ToDisplay(CPoint(dest.right - 1, dest.bottom - 1)), CPoint(639, 479));
        if (dest.left > 0) {
            EXPECT_LT(layout.ToDisplay(CPoint(dest.left - 1, dest.top)).x, 0);
        }
        if (dest.right < output.cx) {
            EXPECT_GE(layout.ToDisplay(CPoint(dest.right, dest.top)).x, 640);
        }
    }
}

// A white button on black, scaled: an output pixel maps onto the button exactly when it
// shows more of the button than of its surroundings, so a click on the last pixel that
// looks like the button lands on it.
TEST(ScreenLayout, ClicksLandWhereTheButtonShows) {
    const CSize display(64, 48);
    const CRect button(10, 7, 23, 19);
    std::vector<std::uint32_t> source(64 * 48, 0xFF000000U);
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x) source[y * 64 + x] = 0xFFFFFFFFU;
    for (const CSize output : {CSize(102, 77), CSize(128, 96), CSize(150, 90), CSize(200, 150)}) {
        SCOPED_TRACE(testing::Message() << output.cx << "x" << output.cy);
        const ScreenLayout layout(output, display);
        const CSize size = layout.Dest().Size();
        ScreenScaler scaler;
        scaler.Configure(display, size);
        std::vector<std::uint32_t> shown(static_cast<std::size_t>(size.cx) * size.cy);
        scaler.Scale(reinterpret_cast<const std::uint8_t*>(source.data()), 64 * 4,
                     reinterpret_cast<std::uint8_t*>(shown.data()), size.cx * 4,
                     CRect(CPoint(0, 0), size));
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                const int level =
                    static_cast<int>(shown[static_cast<std::size_t>(y) * size.cx + x] & 0xFF);
                const CPoint onDisplay = layout.ToDisplay(layout.Dest().TopLeft() + CPoint(x, y));
                if (level == 128) continue;  // an even blend belongs to either side
                ASSERT_EQ(button.PtInRect(onDisplay), level > 128) << "output " << x << "," << y;
            }
    }
}

}  // namespace
