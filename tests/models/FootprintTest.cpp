// Footprint levels the object index derives from a mapping layer: coarse where an object's
// coordinates step far between neighbours, fine across object borders, lone pixels and
// object edges that only have a neighbour behind them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "models/CRegionIndex.h"

namespace {

struct MapPixel {
    BYTE id;
    BYTE v;
    BYTE u;
};

// A 24-bit bottom-up mapping layer in memory, pixel (x, y) from `pixel`.
class MappingLayer {
  public:
    MappingLayer(int width, int height, const std::function<MapPixel(int, int)>& pixel)
        : m_stride((width * 3 + 3) / 4 * 4),
          m_bits(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(height)) {
        m_header.biSize = sizeof(BITMAPINFOHEADER);
        m_header.biWidth = width;
        m_header.biHeight = height;
        m_header.biPlanes = 1;
        m_header.biBitCount = 24;
        m_header.biCompression = BI_RGB;
        const CLayerView view = View();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const MapPixel p = pixel(x, y);
                BYTE* at = view.At(x, y);
                at[0] = p.id;
                at[1] = p.v;
                at[2] = p.u;
            }
    }
    CLayerView View() { return CLayerView(&m_header, m_bits.data(), m_bits.size()); }

  private:
    BITMAPINFOHEADER m_header{};
    int m_stride;
    std::vector<BYTE> m_bits;
};

std::vector<int> LevelsOfRow(const CRegionIndex& index, int y) {
    const BYTE* levels = index.LevelRow(y);
    return std::vector<int>(levels, levels + index.Width());
}

TEST(FootprintLevels, FollowTheStepWithinEachObjectOnly) {
    // Columns 0..5: object 1 stepping 16 in u (far); columns 6..11: object 2, u fixed at 7
    // but 200 in row 1 column 9, a lone pixel of object 3 (nothing of its own around it).
    MappingLayer layer(12, 3, [](int x, int y) {
        if (x < 6) return MapPixel{1, 0, static_cast<BYTE>(x * 16)};
        if (x == 9 && y == 1) return MapPixel{3, 90, 200};
        return MapPixel{2, static_cast<BYTE>(y), 7};
    });
    CRegionIndex index;
    index.Build(layer.View());
    ASSERT_TRUE(index.IsBuilt());
    // The far object's last column has only its left neighbour and keeps the coarse level;
    // object 2's first column ignores the far object beside it.
    const std::vector<int> expected = {3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(LevelsOfRow(index, 0), expected);
    EXPECT_EQ(LevelsOfRow(index, 1), expected);
    EXPECT_EQ(LevelsOfRow(index, 2), expected);
}

TEST(FootprintLevels, GrowWithTheStepDownTheRows) {
    // Row y steps y coordinates in v to the next row: 0..3 fine, then 4..7, 8..15, 16..31
    // and 32 up ever coarser; v wraps past 255 on the way, which changes no step.
    constexpr int kRows = 40;
    std::vector<int> v(kRows + 1, 0);
    for (int y = 1; y <= kRows; ++y) v[y] = v[y - 1] + (y - 1);
    MappingLayer layer(2, kRows + 1, [&](int, int y) {
        return MapPixel{4, static_cast<BYTE>(v[y] % 256), 0};
    });
    CRegionIndex index;
    index.Build(layer.View());
    for (int y = 0; y < kRows; ++y) {
        SCOPED_TRACE(y);
        const int expected = y < 4 ? 0 : y < 8 ? 1 : y < 16 ? 2 : y < 32 ? 3 : 4;
        EXPECT_EQ(LevelsOfRow(index, y), std::vector<int>(2, expected));
    }
}

TEST(FootprintLevels, SeamOfAWrappedSurfaceIsANeighbour) {
    // u runs two coordinates a pixel and wraps from 254 to 0 halfway: every pixel is fine.
    MappingLayer layer(30, 2, [](int x, int) {
        return MapPixel{5, 0, static_cast<BYTE>((x * 2 + 226) % 256)};
    });
    CRegionIndex index;
    index.Build(layer.View());
    EXPECT_EQ(LevelsOfRow(index, 0), std::vector<int>(30, 0));
    EXPECT_EQ(LevelsOfRow(index, 1), std::vector<int>(30, 0));
}

}  // namespace
