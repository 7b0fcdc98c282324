// Pictures of every depth onto true-colour and 8-bit surfaces: exact copies, whole-number
// scaling, clipping, and 8-bit results that agree pixel for pixel with the nearest hardware
// colour of the true-colour result.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/draw/CMemoryDC.h"
#include "platform/draw/CSurface.h"

namespace {

// A device-independent bitmap in memory with random pixels; colour-table pictures use
// fewer entries than their depth allows plus an index past the table (drawn black).
struct TestDib {
    std::vector<BYTE> info;
    std::vector<BYTE> bits;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool bottomUp = true;

    TestDib(int w, int rows, int depth, bool upward, unsigned seed)
        : width(w), height(rows), bitCount(depth), bottomUp(upward) {
        const int colours = depth <= 8 ? (1 << depth) - (depth == 1 ? 0 : 1) : 0;
        info.assign(sizeof(BITMAPINFOHEADER) + 4 * static_cast<std::size_t>(colours), 0);
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = w;
        header->biHeight = upward ? height : -height;
        header->biPlanes = 1;
        header->biBitCount = static_cast<WORD>(depth);
        header->biClrUsed = static_cast<DWORD>(colours);
        std::mt19937 random(seed);
        // Runs of one colour, as in real pictures, with random breaks.
        for (int i = 0; i < colours; ++i) {
            for (int c = 0; c < 3; ++c) info[40 + 4 * i + c] = static_cast<BYTE>(random());
        }
        const std::size_t stride = ((static_cast<std::size_t>(depth) * w + 31) / 32) * 4;
        bits.resize(stride * height);
        BYTE value = 0;
        for (BYTE& b : bits) {
            if (random() % 4 == 0) value = static_cast<BYTE>(random());
            b = value;
        }
    }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
    // The colour at picture pixel (x, y), y counted from the top, decoded independently.
    COLORREF At(int x, int y) const {
        const std::size_t stride = ((static_cast<std::size_t>(bitCount) * width + 31) / 32) * 4;
        const BYTE* row = bits.data() + stride * (bottomUp ? height - 1 - y : y);
        if (bitCount >= 24) {
            const BYTE* p = row + x * (bitCount / 8);
            return RGB(p[2], p[1], p[0]);
        }
        const int perByte = 8 / bitCount;
        const int shift = 8 - bitCount * (x % perByte + 1);
        const int index = (row[x / perByte] >> shift) & ((1 << bitCount) - 1);
        const int colours = Info()->bmiHeader.biClrUsed;
        if (index >= colours) return RGB(0, 0, 0);
        const BYTE* q = info.data() + 40 + 4 * index;
        return RGB(q[2], q[1], q[0]);
    }
};

void RealiseMixedPalette(CSurface& surface) {
    PALETTEENTRY entries[256];
    std::mt19937 random(99);
    for (PALETTEENTRY& e : entries) {
        e = PALETTEENTRY{static_cast<BYTE>(random()), static_cast<BYTE>(random()),
                         static_cast<BYTE>(random()), 0};
    }
    CPalette palette;
    palette.CreatePalette(0x300, entries, 256);
    surface.RealizePalette(palette);
}

class StretchDIBitsTest : public ::testing::TestWithParam<int> {};

TEST_P(StretchDIBitsTest, ExactCopiesDoubledPixelsAndNothingOutsideTheClip) {
    for (bool upward : {true, false}) {
        const TestDib dib(37, 23, GetParam(), upward, 7);
        CSurface surface(120, 80, 32);
        surface.Fill(RGB(1, 2, 3));
        CMemoryDC dc(surface);
        const int rows = dc.StretchDIBits(5, 6, dib.width, dib.height, 0, 0, dib.width, dib.height,
                                          dib.bits.data(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(rows, dib.height);
        for (int y = 0; y < dib.height; ++y)
            for (int x = 0; x < dib.width; ++x)
                ASSERT_EQ(surface.GetPixel(5 + x, 6 + y), dib.At(x, y)) << x << "," << y;
        EXPECT_EQ(surface.GetPixel(4, 6), RGB(1, 2, 3));
        EXPECT_EQ(surface.GetPixel(5 + dib.width, 6), RGB(1, 2, 3));

        // Doubled, through a context whose clip cuts the picture: every visible pixel is
        // its source pixel, and nothing changes beyond the clip.
        surface.Fill(RGB(1, 2, 3));
        const CRect clip(20, 10, 60, 40);
        CMemoryDC clipped(surface, CPoint(10, 0), clip);
        clipped.StretchDIBits(0, 0, 2 * dib.width, 2 * dib.height, 0, 0, dib.width, dib.height,
                              dib.bits.data(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                const COLORREF want =
                    clip.PtInRect(CPoint(x, y)) ? dib.At((x - 10) / 2, y / 2) : RGB(1, 2, 3);
                ASSERT_EQ(surface.GetPixel(x, y), want) << x << "," << y;
            }
        }
    }
}

TEST_P(StretchDIBitsTest, EightBitPixelsAreTheNearestHardwareColoursOfTheTrueColourOnes) {
    const TestDib dib(53, 31, GetParam(), true, 11);
    CSurface trueColour(90, 70, 32);
    CSurface indexed(90, 70, 8);
    RealiseMixedPalette(indexed);
    for (int i = 0; i < 90 * 70; ++i) indexed.Row(0)[i] = 200;
    // Shrunk in width, stretched in height, from a part of the picture.
    for (CSurface* s : {&trueColour, &indexed}) {
        CMemoryDC dc(*s);
        dc.StretchDIBits(3, 4, 40, 60, 5, 2, 45, 25, dib.bits.data(), dib.Info(), DIB_RGB_COLORS,
                         SRCCOPY);
    }
    for (int y = 0; y < 70; ++y) {
        for (int x = 0; x < 90; ++x) {
            const bool drawn = x >= 3 && x < 43 && y >= 4 && y < 64;
            const COLORREF c = trueColour.GetPixel(x, y);
            const BYTE want =
                drawn ? indexed.NearestIndex(GetRValue(c), GetGValue(c), GetBValue(c)) : 200;
            ASSERT_EQ(indexed.Row(y)[x], want) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, StretchDIBitsTest, ::testing::Values(1, 4, 8, 24, 32));

}  // namespace
