// The footprint layer the renderer writes: on a chequered floor that recedes to the horizon
// it follows the true step of the texture from pixel to pixel, also where that step is more
// than half a tile and the neighbours' wrapped coordinates look close together. Filled
// through the program's own fill, the floor is then measured against what each pixel truly
// covers: the mean of the checks over 8 × 8 samples of the pixel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "KitGreyImage.h"
#include "KitImage.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/PixelMath.h"
#include "painting/CGlimAreaFill.h"
#include "platform/window/MessageBox.h"
#include "render/Renderer.h"
#include "render/SceneLayers.h"
#include "render/SceneReader.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 160;
constexpr int kHeight = 96;
constexpr int kSubsamples = 8;  // per pixel and axis, for what a pixel truly covers
constexpr int kFloor = 2;

Scene Floor() {
    Scene scene;
    SceneReader reader;
    std::string error;
    EXPECT_TRUE(
        reader.ReadScene("scene floor\ncamera from=0,0.5,-2 to=0,0.3,8 fov=60\n"
                         "sky id=1 name=sky\n"
                         "object id=2 name=floor shape=plane map=planar tile=3,3\n",
                         scene, error))
        << error;
    return scene;
}

RenderedScene Render(const Scene& scene, int scale) {
    Renderer::Settings settings;
    settings.width = kWidth * scale;
    settings.height = kHeight * scale;
    settings.grid = 1;  // u and v of the pixel's centre alone
    settings.shadowRays = 0;
    settings.occlusionRays = 0;
    settings.threads = 2;
    return Renderer(settings).Render(scene);
}

// The step of the floor's texture coordinates, in coordinates (256 a tile), from pixel
// (x, y) to its right and lower neighbours, from where their rays meet the floor: a tile is
// 2 / 3 of a unit wide.
double FloorStep(const Scene& scene, int x, int y) {
    Renderer::Settings settings;
    settings.width = kWidth;
    settings.height = kHeight;
    const Renderer renderer(settings);
    auto floorPoint = [&](double px, double py) {
        const Ray ray = renderer.CameraRay(scene, px, py);
        return ray.At(-ray.origin.y / ray.dir.y);
    };
    const Vec3 here = floorPoint(x + 0.5, y + 0.5);
    double widest = 0.0;
    for (const Vec3& there : {floorPoint(x + 1.5, y + 0.5), floorPoint(x + 0.5, y + 1.5)})
        widest = std::max({widest, std::abs(there.x - here.x), std::abs(there.z - here.z)});
    return widest * 1.5 * 256.0;
}

class FootprintLayerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        scene = new Scene(Floor());
        low = new RenderedScene(Render(*scene, 1));
        high = new RenderedScene(Render(*scene, kSubsamples));
    }
    static void TearDownTestSuite() {
        delete scene;
        delete low;
        delete high;
    }

    static Scene* scene;
    static RenderedScene* low;
    static RenderedScene* high;
};

Scene* FootprintLayerTest::scene = nullptr;
RenderedScene* FootprintLayerTest::low = nullptr;
RenderedScene* FootprintLayerTest::high = nullptr;

TEST_F(FootprintLayerTest, FollowsTheTrueStepBeyondHalfATile) {
    int measured = 0, beyondHalf = 0, aliased = 0;
    for (int y = 0; y + 1 < kHeight; ++y)
        for (int x = 0; x + 1 < kWidth; ++x) {
            const std::size_t i = low->Index(x, y);
            if (low->id[i] != kFloor || low->id[low->Index(x, y + 1)] != kFloor) continue;
            const double truth = FloorStep(*scene, x, y);
            ++measured;
            if (truth >= 255.0) {
                EXPECT_EQ(low->footprint[i], 255) << x << "," << y;
            } else {
                EXPECT_NEAR(low->footprint[i], truth, 1.0 + truth * 0.01) << x << "," << y;
            }
            if (truth <= 128.0) continue;
            ++beyondHalf;
            // The wrapped step to the lower neighbour, as the mapping layer alone tells it.
            const int down = std::abs(low->v[i] - low->v[low->Index(x, y + 1)]);
            if (std::min(down, 256 - down) < 64) ++aliased;
        }
    EXPECT_GT(measured, 3000);
    // The floor reaches far enough that the mapping layer alone is fooled in many places.
    EXPECT_GT(beyondHalf, 200);
    EXPECT_GT(aliased, 50);
    // The sky, spread once over the picture, is at the finest level everywhere.
    EXPECT_EQ(low->footprint[low->Index(kWidth / 2, 0)], 0);
}

// What the program's fill lays on the floor, with the scene's footprint layer written as
// `footprint` (none: not named).
class FloorFill {
  public:
    FloorFill(const RenderedScene& render, const KitGreyImage* footprint)
        : m_root(fs::temp_directory_path() / ("footprint_fill_" + std::to_string(::getpid()) + "_" +
                                              std::to_string(s_made++))) {
        fs::create_directories(m_root / "scene");
        KitImage(kWidth, kHeight, 0xFFFFFF).WriteBmp((m_root / "scene/shade.bmp").string());
        KitImage(kWidth, kHeight, 0xFFFFFF).WriteBmp((m_root / "scene/page.bmp").string());
        SceneLayers::Mapping(render).WriteBmp((m_root / "scene/map.bmp").string());
        std::string layers = "[lt=shade.bmp\r\n[mg=map.bmp\r\n[ou=page.bmp\r\n";
        if (footprint != nullptr) {
            footprint->WriteBmp((m_root / "scene/foot.bmp").string());
            layers += "[fp=foot.bmp\r\n";
        }
        std::ofstream(m_root / "book.txt", std::ios::binary)
            << "bookname=Floor\r\nNumImages=1\r\n0=\r\n[imagefolder=scene\r\n"
               "[imagename=floor\r\n"
            << layers << "]\r\n";
        Checks().WriteBmp((m_root / "checks.bmp").string());
        KitImage(4, 4).WriteBmp((m_root / "sel.bmp").string());
    }
    ~FloorFill() { fs::remove_all(m_root); }
    FloorFill(const FloorFill&) = delete;
    FloorFill& operator=(const FloorFill&) = delete;

    // Fills the floor at (x, y) and returns the canvas; false when anything fails to load.
    bool Fill(int x, int y) {
        if (!m_crayon.LoadFiles((m_root / "checks.bmp").string(), (m_root / "sel.bmp").string()) ||
            !m_book.Load(m_root.string(), "book.txt") || m_book.GetImageCount() != 1)
            return false;
        CGlimAreaFill fill;
        fill.SetSwatch(m_crayon.GetSwatch());
        return fill.Fill(m_book.GetImage(0), CPoint(x, y), nullptr);
    }
    const BYTE* Pixel(int x, int y) { return m_book.GetImage(0)->ViewCanvas().At(x, y); }
    const Swatch& GetSwatch() const { return m_crayon.GetSwatch(); }

    // Blue and yellow checks, 8 texels a side on a 64-texel swatch.
    static KitImage Checks() {
        KitImage checks(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                checks.Set(x, y, ((x / 8 + y / 8) % 2) != 0 ? 0xF0D020 : 0x2040C0);
        return checks;
    }

  private:
    static inline int s_made = 0;
    fs::path m_root;
    CCrayon m_crayon;
    CGlimBook m_book;
};

// Root-mean-square difference per channel between the fill and the truth over the floor's
// pixels whose samples all see the floor: overall, in the middle distance (a step of 16 to
// 128 coordinates, where faint arcs showed) and where the true step passes half a tile.
struct FillError {
    double all = 0.0;
    double middle = 0.0;
    double far = 0.0;
};

FillError ErrorOf(FloorFill& fill, const RenderedScene& low, const RenderedScene& high) {
    const Swatch& swatch = fill.GetSwatch();
    double sums2[3] = {};
    int counts[3] = {};  // all, middle, far
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            int sums[3] = {}, floorSamples = 0;
            for (int sy = 0; sy < kSubsamples; ++sy)
                for (int sx = 0; sx < kSubsamples; ++sx) {
                    const std::size_t s = high.Index(x * kSubsamples + sx, y * kSubsamples + sy);
                    if (high.id[s] != kFloor) continue;
                    ++floorSamples;
                    const PixelMath::TexelSpan column =
                        PixelMath::SpanOf(high.u[s], 0, swatch.UScale(), swatch.Width());
                    const PixelMath::TexelSpan row =
                        PixelMath::SpanOf(high.v[s], 0, swatch.VScale(), swatch.Height());
                    const BYTE* texel = swatch.Texel(column.first, row.first);
                    for (int c = 0; c < 3; ++c) sums[c] += PixelMath::Shade(texel[c], 255);
                }
            if (floorSamples != kSubsamples * kSubsamples) continue;
            const BYTE* painted = fill.Pixel(x, y);
            double squared = 0.0;
            for (int c = 0; c < 3; ++c) {
                const double truth = sums[c] / double(kSubsamples * kSubsamples);
                squared += (painted[c] - truth) * (painted[c] - truth) / 3.0;
            }
            const int step = low.footprint[low.Index(x, y)];
            for (int band : {0, step > 128 ? 2 : step >= 16 ? 1 : -1}) {
                if (band < 0) continue;
                sums2[band] += squared;
                ++counts[band];
            }
        }
    auto rms = [&](int band) { return std::sqrt(sums2[band] / std::max(1, counts[band])); };
    return {rms(0), rms(1), rms(2)};
}

TEST_F(FootprintLayerTest, FilledFloorIsNearerWhatEachPixelCovers) {
    const MessageBoxHandler previous =
        SetMessageBoxHandler([](ChildMessage, const std::string&) {});
    const KitGreyImage measured = SceneLayers::Footprint(*low);
    const KitGreyImage single(kWidth, kHeight, {});  // every pixel one texel: no filtering
    FloorFill withLayer(*low, &measured), estimated(*low, nullptr), unfiltered(*low, &single);
    const CPoint onFloor(kWidth / 2, kHeight - 2);
    ASSERT_TRUE(withLayer.Fill(onFloor.x, onFloor.y));
    ASSERT_TRUE(estimated.Fill(onFloor.x, onFloor.y));
    ASSERT_TRUE(unfiltered.Fill(onFloor.x, onFloor.y));
    SetMessageBoxHandler(previous);
    const FillError layer = ErrorOf(withLayer, *low, *high);
    const FillError guess = ErrorOf(estimated, *low, *high);
    const FillError none = ErrorOf(unfiltered, *low, *high);
    std::printf(
        "fill error against 8 x 8 samples (all / middle distance / beyond half a tile): "
        "footprint layer %.1f / %.1f / %.1f, estimated from the mapping %.1f / %.1f / "
        "%.1f, one texel %.1f / %.1f / %.1f\n",
        layer.all, layer.middle, layer.far, guess.all, guess.middle, guess.far, none.all,
        none.middle, none.far);
    EXPECT_LT(layer.all, guess.all);
    // In the middle distance the mapping layer alone measures the step truly: no worse there.
    EXPECT_LT(layer.middle, guess.middle + 1.0);
    EXPECT_LT(layer.middle, none.middle * 0.5);
    EXPECT_LT(layer.far, guess.far * 0.75);
    EXPECT_LT(guess.all, none.all);
}

}  // namespace
