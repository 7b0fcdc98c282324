#include <gtest/gtest.h>

#include "ImagingTestSupport.h"
#include "imaging/CDIBPal.h"
#include "imaging/CDib.h"
#include "platform/draw/CMemoryDC.h"

namespace {

// A 24-bit picture whose pixels are given top row first as 0xRRGGBB.
CDib MakePicture(int width, int height, const std::vector<DWORD>& rgb) {
    CDib dib;
    EXPECT_TRUE(dib.Create(width, height, 24));
    for (int i = 0; i < width * height; ++i) {
        // 0xRRGGBB puts blue in bits 0-7: the stored byte order blue, green, red.
        dib.SetPixel(rgb[i], i % width, i / width);
    }
    return dib;
}

COLORREF Rgb(DWORD c) {
    return RGB(BYTE(c >> 16), BYTE(c >> 8), BYTE(c));
}

// Colour-cube colours map to themselves with no error: red, white, blue, (36, 0, 0).
const std::vector<DWORD> kCubeQuad = {0xFF0000, 0xFFFFFF, 0x0000FF, 0x240000};
const BYTE kCubeQuadIndex[] = {224, 255, 3, 32};

}  // namespace

TEST(DibPixels, AddressingBoundsAndByteOrder) {
    CDib dib = MakePicture(3, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112});
    EXPECT_EQ(dib.GetByte0(0, 0), 0x03);  // blue first
    EXPECT_EQ(dib.GetByte2(0, 0), 0x01);
    EXPECT_EQ(dib.GetBits()[0], 0x0C);  // stored row 0 is the bottom picture row
    EXPECT_EQ(dib.GetByte1(2, 1), 0x11);
    for (auto [x, y] : {std::pair{3, 0}, {-1, 0}, {0, 2}, {0, -1}}) {
        BYTE out[3];
        EXPECT_EQ(dib.GetByte0(x, y), -1);
        EXPECT_FALSE(dib.GetPixelBytes(x, y, out));
        EXPECT_FALSE(dib.SetPixel(0, x, y));
    }
    EXPECT_TRUE(dib.SetPixel(0xAA332211, 1, 1));  // the top byte is ignored
    EXPECT_EQ(dib.GetBits()[3], 0x11);
    EXPECT_EQ(dib.GetBits()[5], 0x33);
    EXPECT_EQ(dib.GetBits()[6], 0x12);  // the neighbour is untouched

    CDib grey;
    ASSERT_TRUE(grey.Create(4, 1, 8));
    EXPECT_FALSE(grey.SetPixel(0xFFFFFF, 0, 0));
    EXPECT_EQ(grey.GetByte0(0, 0), 0);
    EXPECT_EQ(grey.GetByte1(3, 0), -1);  // would lie past the last pixel of the image
    CDib empty;
    EXPECT_EQ(empty.GetByte0(0, 0), -1);
    EXPECT_EQ(empty.GetSize(), CSize(0, 0));
}

TEST(DibPixels, CopiesAreIndependentAndMovesEmptyTheSource) {
    CDib original;
    ASSERT_TRUE(original.Load(WriteTemp("copy.bmp", MakeBmp({4, 3, 8}))));
    CDib copy(original);
    ASSERT_TRUE(copy.IsValid());
    EXPECT_NE(copy.GetBits(), original.GetBits());
    EXPECT_NE(copy.GetPalette(), original.GetPalette());
    EXPECT_EQ(copy.GetPalette()->Entries().size(), 256u);
    copy.GetBits()[0] ^= 0xFF;
    EXPECT_EQ(original.GetBits()[0], BYTE(copy.GetBits()[0] ^ 0xFF));

    CDib moved(std::move(copy));
    EXPECT_TRUE(moved.IsValid());
    EXPECT_FALSE(copy.IsValid());
    moved = CDib();  // copying an empty image empties
    EXPECT_FALSE(moved.IsValid());
}

TEST(DibPaint, TrueColourSurfaceShowsPictureUpright) {
    CDib dib = MakePicture(2, 2, kCubeQuad);
    CSurface surface(6, 6, 32);
    CMemoryDC dc(surface);
    ASSERT_TRUE(dib.Paint(dc, 1, 1, 4, 4, nullptr));  // stretched twice
    EXPECT_EQ(surface.GetPixel(1, 1), Rgb(kCubeQuad[0]));
    EXPECT_EQ(surface.GetPixel(4, 2), Rgb(kCubeQuad[1]));
    EXPECT_EQ(surface.GetPixel(2, 4), Rgb(kCubeQuad[2]));
    EXPECT_EQ(surface.GetPixel(0, 0), RGB(0, 0, 0));

    // A picture row in the middle: the source origin counts from the bottom.
    CDib tall = MakePicture(1, 3, {0x112233, 0x445566, 0x778899});
    ASSERT_TRUE(tall.PaintRect(dc, CPoint(0, 0), CSize(1, 1), CRect(0, 1, 1, 2), nullptr));
    EXPECT_EQ(surface.GetPixel(0, 0), Rgb(0x445566));
}

TEST(DibPaint, PaletteSurfaceShowsDitheredColourCubeEntries) {
    CDIBPal palette;
    ASSERT_TRUE(palette.CreateColourCube());
    CDib dib = MakePicture(2, 2, kCubeQuad);
    CSurface surface(4, 4, 8);
    CMemoryDC dc(surface);
    ASSERT_TRUE(dib.Paint(dc, 0, 0, 2, 2, &palette));
    EXPECT_EQ(surface.HardwarePalette()[224].peRed, 255);  // the cube was realised
    for (int i = 0; i < 4; ++i) EXPECT_EQ(surface.Row(i / 2)[i % 2], kCubeQuadIndex[i]) << i;

    // The lower right quarter only, drawn at (2, 2): blue's index.
    ASSERT_TRUE(dib.PaintRect(dc, CPoint(2, 2), CSize(1, 1), CRect(0, 1, 1, 2), &palette));
    EXPECT_EQ(surface.Row(2)[2], 3);
    // A rectangle reaching past the picture is clipped and keeps its scale.
    ASSERT_TRUE(dib.PaintRect(dc, CPoint(2, 0), CSize(2, 2), CRect(1, 1, 3, 3), &palette));
    EXPECT_EQ(surface.Row(0)[2], 32);
    EXPECT_EQ(surface.Row(0)[3], 0);  // untouched: nothing there in the picture
}

TEST(DibPalette, WindowPaletteMessages) {
    struct Window {
        CSurface surface{2, 2, 8};
        CMemoryDC dc{surface};
        bool hasDc = true;
        int invalidated = 0, released = 0;
        CDC* GetDC() { return hasDc ? &dc : nullptr; }
        int ReleaseDC(CDC*) { return ++released; }
        void Invalidate(BOOL) { ++invalidated; }
    } window, other;
    CDIBPal palette;
    EXPECT_FALSE(palette.OnQueryNewPalette(window));  // no palette yet
    ASSERT_TRUE(palette.CreateColourCube());
    EXPECT_TRUE(palette.OnQueryNewPalette(window));
    EXPECT_EQ(window.invalidated, 1);
    EXPECT_TRUE(palette.OnQueryNewPalette(window));  // nothing changed: no repaint
    EXPECT_EQ((std::pair{window.invalidated, window.released}), (std::pair{1, 2}));
    EXPECT_EQ(window.dc.SelectPalette(nullptr, FALSE), nullptr);  // previous one put back

    palette.OnPaletteChanged(other, &other);  // its own change: nothing happens
    EXPECT_EQ(other.invalidated, 0);
    EXPECT_EQ(other.surface.HardwarePalette()[3].peBlue, 3);
    palette.OnPaletteChanged(other, &window);
    EXPECT_EQ(other.invalidated, 1);
    EXPECT_EQ(other.surface.HardwarePalette()[3].peBlue, 255);
    other.hasDc = false;
    EXPECT_FALSE(palette.OnQueryNewPalette(other));
}
