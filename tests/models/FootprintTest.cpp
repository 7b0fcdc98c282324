// Footprint levels of the object index: from the scene's footprint layer when it has a
// usable one, else derived from the mapping layer: coarse where an object's coordinates step
// far between neighbours, fine across object borders, lone pixels and object edges that
// only have a neighbour behind them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SceneFixture.h"
#include "imaging/CDib.h"
#include "models/CPictureLayers.h"
#include "models/CRegionIndex.h"
#include "platform/files/CContentReport.h"

namespace {

struct MapPixel {
    BYTE id;
    BYTE v;
    BYTE u;
};

// A 24-bit mapping layer in memory, pixel (x, y) from `pixel`.
class MappingLayer {
  public:
    MappingLayer(int width, int height, const std::function<MapPixel(int, int)>& pixel) {
        m_picture.Create(width, height, 24);
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
    CLayerView View() {
        return CLayerView(&m_picture.GetHeader()->bmiHeader, m_picture.GetBits(),
                          m_picture.GetImageSize());
    }

  private:
    CDib m_picture;
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

// A scene of 8 x 2 pixels whose mapping alone reads as near everywhere (one coordinate
// throughout), so any coarser level can only come from its footprint layer "foot.bmp".
class FootprintLayerFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        CContentReport::ClearLog();
        fixture::WriteBmp(dir / "scene/map.bmp", kWidth, 2, fixture::Solid({3, 40, 40}));
        files.folder = dir / "scene/";
        files.mapping = "map.bmp";
        files.footprint = "foot.bmp";
    }
    void TearDown() override { CContentReport::ClearLog(); }

    // Writes the footprint layer with `bitCount` bits, each pixel's step from `step`.
    void WriteFootprint(int width, int bitCount, const std::function<int(int)>& step) {
        fixture::WriteBmpBits(dir / "scene/foot.bmp", width, 2, bitCount, [&](int x, int) {
            return fixture::Rgb{static_cast<BYTE>(step(x)), 0, 0};
        });
    }
    std::vector<int> LoadedLevels() {
        layers.SetFiles(files);
        EXPECT_TRUE(layers.EnsureMapping(false));
        EXPECT_EQ(LevelsOfRow(layers.Regions(), 1), LevelsOfRow(layers.Regions(), 0));
        return LevelsOfRow(layers.Regions(), 0);
    }

    static constexpr int kWidth = 8;
    testsupport::TempDir dir;
    CPictureLayers::Files files;
    CPictureLayers layers;
};

TEST_F(FootprintLayerFiles, MeasuredStepsPickTheNearestLevel) {
    // Levels start at steps of 4, 8, 16, 32, 64 and 128: a measured step takes the level
    // whose box is nearest its width, so 3 is already a texel box and 255 the widest.
    const std::vector<int> steps = {0, 2, 3, 6, 11, 22, 86, 255};
    WriteFootprint(kWidth, 8, [&](int x) { return steps[static_cast<std::size_t>(x)]; });
    EXPECT_EQ(LoadedLevels(), (std::vector<int>{0, 0, 1, 2, 3, 4, 6, 6}));
    EXPECT_EQ(layers.Regions().MaxLevel(), 6);
    EXPECT_TRUE(CContentReport::Log().empty());
}

TEST_F(FootprintLayerFiles, UnusableLayersFallBackToTheMappingAndAreReported) {
    struct Case {
        const char* name;
        std::function<void()> write;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", [] {}, "cannot be opened"},
        {"true colour", [this] { WriteFootprint(kWidth, 24, [](int) { return 200; }); },
         "has 24 bits per pixel but a footprint layer needs 8"},
        {"other size", [this] { WriteFootprint(kWidth - 1, 8, [](int) { return 200; }); },
         "is 7 x 2 pixels but the mapping layer is 8 x 2"},
        {"damaged", [this] { dir.Write("scene/foot.bmp", "BM\x10\x00"); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(dir / "scene/foot.bmp");
        CContentReport::ClearLog();
        c.write();
        fixture::MessageRecorder child;
        EXPECT_EQ(LoadedLevels(), std::vector<int>(kWidth, 0));
        // The scene still colours, so the child is shown nothing; the grown-ups get the path
        // and the reason once.
        EXPECT_TRUE(child.messages.empty());
        const std::vector<std::string> log = CContentReport::Log();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].rfind(dir / "scene/foot.bmp: ", 0), 0u) << log[0];
        EXPECT_NE(log[0].find(c.reason), std::string::npos) << log[0];
    }
}

TEST_F(FootprintLayerFiles, SceneWithoutOneDerivesItsLevelsSilently) {
    WriteFootprint(kWidth, 8, [](int) { return 200; });
    files.footprint.clear();
    EXPECT_EQ(LoadedLevels(), std::vector<int>(kWidth, 0));
    EXPECT_TRUE(CContentReport::Log().empty());
}

}  // namespace
