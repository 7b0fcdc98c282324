#include <gtest/gtest.h>

#include "imaging/CDitherer.h"
#include "platform/base/CRect.h"

namespace {

struct Rgb {
    int r, g, b;
};

// A one-pixel-wide or one-row picture as bottom-up 24-bit bits (rows padded to 4 bytes).
std::vector<BYTE> Bits(int width, const std::vector<Rgb>& topDownPixels) {
    const int height = static_cast<int>(topDownPixels.size()) / width;
    const int stride = (3 * width + 3) & ~3;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride) * height);
    for (int i = 0; i < width * height; ++i) {
        BYTE* p = &bits[(height - 1 - i / width) * stride + 3 * (i % width)];
        p[0] = BYTE(topDownPixels[i].b), p[1] = BYTE(topDownPixels[i].g),
        p[2] = BYTE(topDownPixels[i].r);
    }
    return bits;
}

class Dithering : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(CDitherer::CreateDitherPalette(cube)); }
    CPalette cube;
};

}  // namespace

TEST(ColourCube, EntriesAndResizing) {
    CPalette palette;
    std::vector<PALETTEENTRY> twenty(20, PALETTEENTRY{9, 9, 9, 9});
    ASSERT_TRUE(palette.CreatePalette(0x300, twenty.data(), 20));
    ASSERT_TRUE(CDitherer::CreateDitherPalette(palette));
    ASSERT_EQ(palette.GetEntryCount(), 256u);
    const std::pair<UINT, Rgb> expected[] = {
        {0, {0, 0, 0}},      {255, {255, 255, 255}}, {3, {0, 0, 255}}, {224, {255, 0, 0}},
        {31, {0, 255, 255}}, {32, {36, 0, 0}},       {4, {0, 36, 0}},  {97, {109, 0, 85}}};
    for (const auto& [index, rgb] : expected) {
        const PALETTEENTRY e = palette.Entries()[index];
        EXPECT_EQ((std::tuple{e.peRed, e.peGreen, e.peBlue}), (std::tuple{rgb.r, rgb.g, rgb.b}))
            << index;
    }
    for (const PALETTEENTRY& e : palette.Entries()) EXPECT_EQ(e.peFlags, 0);
}

TEST_F(Dithering, RowSpreadsHalfRightAndQuarterDownWithClamps) {
    // Red 200 shows as 219: error (200 - 219) >> 2 = -5. Right neighbour 100 - 10 = 90
    // shows as 73 (index 64): error 17 >> 2 = 4 goes down, 8 into the spare bytes.
    std::vector<BYTE> current = {0, 0, 200, 0, 0, 100, 0, 0, 0};
    std::vector<BYTE> next = {0, 0, 3, 0, 0, 250, 0, 0, 0};
    CDitherer::DitherRow(current.data(), next.data(), 2, cube);
    EXPECT_EQ(current[0], 192);
    EXPECT_EQ(current[1], 64);
    EXPECT_EQ(next[2], 0);    // 3 - 5 clamps at 0
    EXPECT_EQ(next[5], 254);  // 250 + 4
    EXPECT_EQ(current[8], 8);

    // Red 35 shows as 36: -1 >> 2 stays -1 (rounding towards minus infinity).
    std::vector<BYTE> one = {0, 0, 35, 0, 0, 0}, below = {0, 0, 10, 0, 0, 0};
    CDitherer::DitherRow(one.data(), below.data(), 1, cube);
    EXPECT_EQ(below[2], 9);
    // White has no error; the neighbour stays as it was.
    std::vector<BYTE> white = {255, 255, 255, 7, 7, 7}, under = {1, 1, 1, 0, 0, 0};
    CDitherer::DitherRow(white.data(), under.data(), 1, cube);
    EXPECT_EQ(white[0], 255);
    EXPECT_EQ((std::vector<BYTE>{white[3], under[0]}), (std::vector<BYTE>{7, 1}));
    // Blue rounds to the nearest level: remainder 43 stays down, 44 goes up.
    for (auto [blue, index] : {std::pair<BYTE, BYTE>{43, 0}, {44, 1}}) {
        std::vector<BYTE> pixel = {blue, 0, 0, 0, 0, 0}, below(6);
        CDitherer::DitherRow(pixel.data(), below.data(), 1, cube);
        EXPECT_EQ(pixel[0], index);
    }
}

TEST_F(Dithering, ErrorFlowsDownAndRowsLandBottomUp) {
    // Red column 100, 98, 91: 100 shows as 109 (error -3), 98 - 3 = 95 falls to level 2 and
    // shows as 73 (error 5), 91 + 5 = 96 climbs back to level 3.
    const std::vector<BYTE> bits = Bits(1, {{100, 0, 0}, {98, 0, 0}, {91, 0, 0}});
    CDitherer ditherer(1, 3);
    std::vector<BYTE> target(12, 0xEE);
    ASSERT_TRUE(ditherer.Dither(bits.data(), target.data(), 0, 0, 1, 3, cube));
    EXPECT_EQ((std::vector<BYTE>{target[8], target[4], target[0]}),
              (std::vector<BYTE>{96, 64, 96}));

    // Two rows of three: the top picture row lands in stored row 1.
    const std::vector<BYTE> two =
        Bits(3, {{255, 0, 0}, {0, 0, 0}, {0, 0, 255}, {255, 255, 255}, {0, 36, 0}, {36, 0, 0}});
    CDitherer wide(3, 2);
    std::vector<BYTE> out(8, 0xEE);
    ASSERT_TRUE(wide.Dither(two.data(), out.data(), 0, 0, 3, 2, cube));
    EXPECT_EQ(out, (std::vector<BYTE>{255, 4, 32, 0xEE, 224, 0, 3, 0xEE}));
}

TEST_F(Dithering, SubRectanglesReadFromTheirLeftEdgeAndBadOnesAreRefused) {
    std::vector<Rgb> row(8, Rgb{0, 0, 0});
    row[5] = {255, 0, 0}, row[6] = {0, 0, 255}, row[7] = {255, 255, 255};
    std::vector<Rgb> picture = row;
    picture.insert(picture.end(), 8, Rgb{0, 36, 0});
    const std::vector<BYTE> bits = Bits(8, picture);
    CDitherer ditherer(8, 2);
    std::vector<BYTE> out(4, 0xEE);
    ASSERT_TRUE(ditherer.Dither(bits.data(), out.data(), 5, 0, 8, 1, cube));
    EXPECT_EQ(out, (std::vector<BYTE>{224, 3, 255, 0xEE}));
    ASSERT_TRUE(ditherer.Dither(bits.data(), out.data(), 6, 1, 7, 2, cube));
    EXPECT_EQ(out[0], 4);
    for (const CRect& bad :
         {CRect(0, 0, 9, 1), CRect(0, 1, 8, 3), CRect(3, 0, 3, 1), CRect(-1, 0, 2, 1)}) {
        EXPECT_FALSE(ditherer.Dither(bits.data(), out.data(), bad.left, bad.top, bad.right,
                                     bad.bottom, cube));
    }
}

TEST_F(Dithering, ErrorsComeFromThePalettePassed) {
    // Red 90 shows as 73 in the cube: 17 >> 2 = 4, so the neighbour's 28 becomes 36
    // (index 32). A palette whose entry 64 shows red 90 exactly passes no error on.
    const std::vector<BYTE> bits = Bits(2, {{90, 0, 0}, {28, 0, 0}});
    CDitherer ditherer(2, 1);
    std::vector<BYTE> out(4, 0xEE);
    ASSERT_TRUE(ditherer.Dither(bits.data(), out.data(), 0, 0, 2, 1, cube));
    EXPECT_EQ((std::vector<BYTE>{out[0], out[1]}), (std::vector<BYTE>{64, 32}));
    PALETTEENTRY exact{90, 0, 0, 0};
    cube.SetPaletteEntries(64, 1, &exact);
    ASSERT_TRUE(ditherer.Dither(bits.data(), out.data(), 0, 0, 2, 1, cube));
    EXPECT_EQ((std::vector<BYTE>{out[0], out[1]}), (std::vector<BYTE>{64, 0}));
}
