// The changed region: it always covers what was drawn, stays short, and drawing on a
// surface marks just the pixels drawn.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/draw/CMemoryDC.h"
#include "platform/draw/CSurface.h"
#include "platform/draw/ChangedRegion.h"

namespace {

bool Covers(const ChangedRegion& region, CPoint p) {
    for (const CRect& r : region.Rects())
        if (r.PtInRect(p)) return true;
    return false;
}

TEST(ChangedRegion, MergesNeighboursAndKeepsDistantChangesApart) {
    ChangedRegion region;
    region.Add(CRect(10, 10, 42, 42));
    region.Add(CRect(20, 20, 52, 52));  // a brush moved a little
    ASSERT_EQ(region.Rects().size(), 1U);
    EXPECT_EQ(region.Rects()[0], CRect(10, 10, 52, 52));
    region.Add(CRect(500, 400, 532, 432));  // the far corner of the screen
    EXPECT_EQ(region.Rects().size(), 2U);
    EXPECT_EQ(region.Bounds(), CRect(10, 10, 532, 432));
    region.Add(CRect(3, 3, 3, 9));
    EXPECT_EQ(region.Rects().size(), 2U) << "an empty rectangle changes nothing";
    region.Clear();
    EXPECT_TRUE(region.IsEmpty());
}

// Scattered dots: the list stays bounded and every dot stays covered.
TEST(ChangedRegion, StaysShortAndCoversEverything) {
    std::mt19937 random(3);
    ChangedRegion region;
    std::vector<CRect> added;
    for (int i = 0; i < 300; ++i) {
        const int x = static_cast<int>(random() % 600), y = static_cast<int>(random() % 440);
        added.emplace_back(x, y, x + 1 + static_cast<int>(random() % 40),
                           y + 1 + static_cast<int>(random() % 40));
        region.Add(added.back());
        ASSERT_LE(region.Rects().size(), ChangedRegion::kMaxRects);
    }
    for (const CRect& r : added) {
        EXPECT_TRUE(Covers(region, r.TopLeft()));
        EXPECT_TRUE(Covers(region, CPoint(r.right - 1, r.bottom - 1)));
    }
}

TEST(ChangedRegion, DrawingMarksOnlyTheVisiblePixelsItTouched) {
    CSurface surface(640, 480, 32);
    surface.ClearChanged();
    {
        // A window at (100, 50) whose visible part ends at x = 130.
        CMemoryDC dc(surface, CPoint(100, 50), CRect(100, 50, 130, 200));
        dc.FillSolidRect(CRect(10, 10, 60, 20), RGB(255, 0, 0));
    }
    ASSERT_EQ(surface.Changed().Rects().size(), 1U);
    EXPECT_EQ(surface.Changed().Rects()[0], CRect(110, 60, 130, 70));
    surface.ClearChanged();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const std::vector<std::uint32_t> bits(16, 0x00FF00FFU);
    CMemoryDC whole(surface);
    whole.StretchDIBits(630, 470, 32, 32, 0, 0, 4, 4, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ASSERT_EQ(surface.Changed().Rects().size(), 1U);
    EXPECT_EQ(surface.Changed().Rects()[0], CRect(630, 470, 640, 480));
}

TEST(ChangedRegion, ANewPaletteChangesTheWhole8BitDisplay) {
    CSurface surface(320, 200, 8);
    surface.ClearChanged();
    std::vector<PALETTEENTRY> entries(256, PALETTEENTRY{9, 9, 9, 0});
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(0x300, entries.data(), 256));
    CMemoryDC dc(surface);
    dc.SelectPalette(&palette, FALSE);
    dc.RealizePalette();
    EXPECT_EQ(surface.Changed().Bounds(), CRect(0, 0, 320, 200));
    surface.ClearChanged();
    dc.RealizePalette();
    EXPECT_TRUE(surface.Changed().IsEmpty()) << "the same palette again changes no pixel";
}

}  // namespace
