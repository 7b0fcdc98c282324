// Figures melted from several shapes: the smooth union fills the crease between them,
// each pixel keeps the id of the shape nearest its surface point with a crisp border,
// texture coordinates run on without jumps, light stays in range, and rays that leave
// the surface do not meet the figure they start on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/Renderer.h"
#include "render/SceneReader.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// Two equal balls side by side, ids 2 (left) and 3 (right), melted or not.
Scene TwoBalls(bool melted, const std::string& map = "spherical") {
    const std::string blend = melted ? " blend=pair smooth=0.5" : "";
    const std::string text =
        "scene balls\ncamera from=0,0,-6 to=0,0,0 fov=50\n"
        "light dir=-0.3,0.8,-1 power=0.8 spread=3\n"
        "object id=2 name=left shape=sphere map=" +
        map + " scale=0.8 at=-0.6,0,0" + blend +
        "\nobject id=3 name=right shape=sphere map=" + map + " scale=0.8 at=0.6,0,0" + blend + "\n";
    Scene scene;
    SceneReader reader;
    std::string error;
    EXPECT_TRUE(reader.ReadScene(text, scene, error)) << error;
    return scene;
}

// Where a ray straight down the y axis at `x` (just in front of the balls) meets them.
double TopAt(const Scene& scene, double x) {
    SceneHit hit;
    if (!scene.Intersect(Ray{{x, 3.0, -0.01}, {0.0, -1.0, 0.0}}, 1e-6, 1e30, hit)) return -1e9;
    return hit.point.y;
}

TEST(SmoothBlend, FillsTheCreaseAndLeavesTheRestAlone) {
    const Scene plain = TwoBalls(false), melted = TwoBalls(true);
    ASSERT_EQ(melted.blends.size(), 1u);
    // Above the join the melted figure rises well over the two balls' crease ...
    EXPECT_GT(TopAt(melted, 0.0), TopAt(plain, 0.0) + 0.05);
    // ... while far from it the surface is the ball's own, to tracing precision.
    EXPECT_NEAR(TopAt(melted, -1.2), TopAt(plain, -1.2), 1e-3);
    EXPECT_NEAR(TopAt(melted, -1.2), std::sqrt(0.64 - 0.36 - 0.0001), 1e-3);
}

TEST(SmoothBlend, IdsFollowTheNearestShapeWithACrispBorder) {
    const Scene scene = TwoBalls(true);
    Renderer::Settings settings;
    settings.width = kWidth;
    settings.height = kHeight;
    const Renderer renderer(settings);
    int left = 0, right = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            SceneHit hit;
            if (!scene.Intersect(renderer.CameraRay(scene, x + 0.5, y + 0.5), 1e-6, 1e30, hit))
                continue;
            // Equal balls: the border is the plane x = 0, whatever the blend adds.
            const int id = scene.parts[hit.part].id;
            if (std::abs(hit.point.x) > 1e-6) {
                EXPECT_EQ(id, hit.point.x < 0.0 ? 2 : 3) << x << "," << y;
            }
            ++(id == 2 ? left : right);
        }
    EXPECT_GT(left, 500);
    EXPECT_EQ(left, right);  // the scene is mirror-symmetric about the border
}

TEST(SmoothBlend, TextureCoordinatesRunOnAndLightStaysInRange) {
    const Scene scene = TwoBalls(true, "planar");
    Renderer::Settings settings;
    settings.width = kWidth;
    settings.height = kHeight;
    settings.threads = 2;
    const RenderedScene render = Renderer(settings).Render(scene);
    int figure = 0;
    for (int y = 1; y < kHeight - 1; ++y)
        for (int x = 1; x < kWidth - 1; ++x) {
            const std::size_t i = render.Index(x, y), next = render.Index(x + 1, y);
            if (render.id[i] < 2) continue;
            ++figure;
            // Lit from the front: no dark holes where the shapes meet.
            EXPECT_GE(render.surface[i], 60) << x << "," << y;
            if (render.id[next] != render.id[i] || render.outline[i] > 0 ||
                render.outline[next] > 0)
                continue;
            EXPECT_LE(std::abs(render.u[i] - render.u[next]), 12) << x << "," << y;
            EXPECT_LE(std::abs(render.v[i] - render.v[next]), 12) << x << "," << y;
        }
    EXPECT_GT(figure, 2000);
}

TEST(SmoothBlend, RaysLeavingTheSurfaceDoNotMeetIt) {
    const Scene scene = TwoBalls(true);
    for (double x : {-1.0, -0.3, 0.0, 0.4, 1.1}) {
        SceneHit hit;
        ASSERT_TRUE(scene.Intersect(Ray{{x, 0.2, -5.0}, {0.0, 0.0, 1.0}}, 1e-6, 1e30, hit)) << x;
        EXPECT_NEAR(Length(hit.normal), 1.0, 1e-9);
        EXPECT_LT(hit.normal.z, 0.0);  // facing the ray
        const Vec3 origin = hit.point + hit.normal * 1e-4;
        EXPECT_FALSE(scene.Occluded(Ray{origin, hit.normal}, 0.0, 1e30)) << x;
        // Back into the figure it is met again at once.
        EXPECT_TRUE(scene.Occluded(Ray{origin, -hit.normal}, 0.0, 1.0)) << x;
    }
}

TEST(SmoothBlend, ShapesThatCannotMeltAreRefused) {
    Scene scene;
    SceneReader reader;
    std::string error;
    EXPECT_FALSE(
        reader.ReadScene("object id=2 name=g shape=plane map=planar blend=x\n", scene, error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(reader.ReadScene("object id=2 name=g shape=sphere map=planar blend=x smooth=0\n",
                                  scene, error));
}

TEST(SmoothBlend, DistancesAgreeWithTheShapes) {
    for (Shape shape : {Shape::Sphere, Shape::Box, Shape::Cylinder, Shape::Cone, Shape::Torus}) {
        SCOPED_TRACE(static_cast<int>(shape));
        const Primitive primitive(shape, Mapping::Spherical, 0.3);
        std::vector<Vec3> points;
        primitive.SurfacePoints(5, points);
        for (const Vec3& p : points) {
            ASSERT_NEAR(primitive.Distance(p), 0.0, 1e-9);
            const Vec3 out = p * 1.5 + Vec3{0.0, 0.0, 0.0};
            // Never more than the true distance: sphere tracing must not overshoot.
            const double d = primitive.Distance(out);
            ASSERT_LE(d, Length(out - p) + 1e-9);
        }
    }
}

}  // namespace
