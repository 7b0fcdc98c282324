// The ray tracer: intersections and normals, texture coordinates along surfaces,
// ids at borders and deterministic output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "render/Renderer.h"
#include "render/SceneReader.h"

namespace {

Ray Along(Vec3 origin, Vec3 dir) {
    return Ray{origin, dir};
}

bool Near(const Vec3& a, const Vec3& b, double eps = 1e-6) {
    return std::abs(a.x - b.x) < eps && std::abs(a.y - b.y) < eps && std::abs(a.z - b.z) < eps;
}

Scene ReadScene(const std::string& text) {
    SceneReader reader;
    Scene scene;
    std::string error;
    EXPECT_TRUE(reader.ReadScene(text, scene, error)) << error;
    return scene;
}

// A ball with a seam facing away, a striped box, a torus and a cone on a floor.
const char* const kTestScene = R"(
scene test
caption A test.
camera from=0,2,-6 to=0,0.8,0 fov=50
light dir=-0.5,1,-0.6 power=0.8 spread=6
sky id=1 name=sky
object id=2 name=floor shape=plane map=planar scale=2
object id=3 name=ball shape=sphere map=spherical scale=0.8 at=-1.2,0.8,0
object id=4 name=crate shape=box map=box scale=0.5,0.4,0.5 turn=0,30,0 at=1.2,0.4,0.2
object id=5 name=ring shape=torus map=cylindrical minor=0.3 scale=0.5 turn=70,0,0 at=0.1,0.7,-1.2
object id=6 name=hat shape=cone map=cylindrical scale=0.3,0.5,0.3 at=1.2,1.3,0.2
)";

int CircularDistance(int a, int b) {
    const int d = std::abs(a - b);
    return std::min(d, 256 - d);
}

}  // namespace

TEST(StoryRender, PrimitivesHitAtTheRightDistanceWithOutwardNormals) {
    LocalHit hit;
    const Primitive sphere(Shape::Sphere, Mapping::Spherical);
    ASSERT_TRUE(sphere.Intersect(Along({0, 0, -5}, {0, 0, 1}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 4.0, 1e-9);
    EXPECT_TRUE(Near(hit.normal, {0, 0, -1}));
    // From inside, the far wall is met.
    ASSERT_TRUE(sphere.Intersect(Along({0, 0, 0}, {0, 2, 0}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 0.5, 1e-9);
    EXPECT_FALSE(sphere.Intersect(Along({0, 1.01, -5}, {0, 0, 1}), 1e-9, 1e9, hit));

    const Primitive box(Shape::Box, Mapping::Box);
    ASSERT_TRUE(box.Intersect(Along({-3, 0.5, 0.2}, {1, 0, 0}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 2.0, 1e-9);
    EXPECT_TRUE(Near(hit.normal, {-1, 0, 0}));
    EXPECT_FALSE(box.Intersect(Along({-3, 0.5, 0.2}, {1, 0, 0}), 1e-9, 1.5, hit));

    const Primitive cylinder(Shape::Cylinder, Mapping::Cylindrical);
    ASSERT_TRUE(cylinder.Intersect(Along({0.5, 5, 0}, {0, -1, 0}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 4.0, 1e-9);  // top cap
    EXPECT_TRUE(Near(hit.normal, {0, 1, 0}));
    ASSERT_TRUE(cylinder.Intersect(Along({0, 0.3, -4}, {0, 0, 1}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 3.0, 1e-9);  // side
    EXPECT_TRUE(Near(hit.normal, {0, 0, -1}));

    const Primitive cone(Shape::Cone, Mapping::Cylindrical);
    // At y = -0.5 the cone's radius is 0.75.
    ASSERT_TRUE(cone.Intersect(Along({-4, -0.5, 0}, {1, 0, 0}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 4.0 - 0.75, 1e-9);
    EXPECT_LT(hit.normal.x, 0.0);
    EXPECT_GT(hit.normal.y, 0.0);  // the side leans towards the apex
    EXPECT_FALSE(cone.Intersect(Along({-4, 0.9, 0.2}, {1, 0, 0}), 1e-9, 1e9, hit));

    const Primitive torus(Shape::Torus, Mapping::Cylindrical, 0.25);
    ASSERT_TRUE(torus.Intersect(Along({-5, 0, 0}, {2, 0, 0}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, (5.0 - 1.25) / 2.0, 1e-5);
    EXPECT_TRUE(Near(hit.normal, {-1, 0, 0}, 1e-4));
    EXPECT_FALSE(
        torus.Intersect(Along({0, 5, 0}, {0, -1, 0}), 1e-9, 1e9, hit));  // through the hole

    const Primitive plane(Shape::Plane, Mapping::Planar);
    ASSERT_TRUE(plane.Intersect(Along({0, 2, 0}, {0, -1, 1}), 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 2.0, 1e-9);
}

TEST(StoryRender, PlacedPartsHitWhereTheTransformPutsThemWithGradientNormals) {
    Scene scene = ReadScene(
        "object id=3 name=egg shape=sphere map=spherical scale=2,1,1 turn=0,0,30 at=3,0,0\n");
    ASSERT_EQ(scene.parts.size(), 1u);
    SceneHit hit;
    // Along the egg's long axis (turned 30 degrees) the surface is 2 units from its centre.
    const Vec3 axis{std::cos(std::numbers::pi / 6), std::sin(std::numbers::pi / 6), 0.0};
    const Vec3 from = Vec3{3, 0, 0} + axis * 6.0;
    ASSERT_TRUE(scene.Intersect(Ray{from, -axis}, 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 4.0, 1e-9);
    EXPECT_TRUE(Near(hit.normal, axis, 1e-9));
    // Off-axis the normal is the gradient of the ellipsoid's equation, not the radius.
    ASSERT_TRUE(scene.Intersect(Ray{{3.5, 5, 0.3}, {0, -1, 0}}, 1e-9, 1e9, hit));
    const Transform toLocal = scene.parts[0].toLocal;
    const Vec3 local = toLocal.Point(hit.point);
    EXPECT_NEAR(Dot(local, local), 1.0, 1e-9);
    const Vec3 expected = Normalize(toLocal.NormalFromLocal(local));
    EXPECT_TRUE(Near(hit.normal, expected, 1e-9));
    EXPECT_GT(std::abs(Dot(hit.normal, Normalize(hit.point - Vec3{3, 0, 0})) - 1.0), 1e-3);
}

TEST(StoryRender, ReaderRejectsMalformedStatementsAndExpandsGroups) {
    SceneReader reader;
    Scene scene;
    std::string error;
    EXPECT_FALSE(reader.ReadScene("object id=2 shape=blob map=planar\n", scene, error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(reader.ReadScene("object id=300 shape=sphere map=planar\n", scene, error));
    EXPECT_FALSE(reader.ReadScene("camera from=1,2\n", scene, error));
    EXPECT_FALSE(
        reader.ReadLibrary("group g\nobject id=0 shape=sphere map=planar\n", error));  // no end

    ASSERT_TRUE(reader.ReadLibrary(
        "group pair\nobject id=0 name=\"left one\" shape=sphere map=planar at=-1,0,0 "
        "say=\"Hello there\"\nobject id=1 name=right shape=box map=box at=1,0,0\nend\n",
        error))
        << error;
    Scene used;
    ASSERT_TRUE(reader.ReadScene("use pair id=10 at=0,0,5\nuse pair id=20 at=0,3,5\n", used, error))
        << error;
    ASSERT_EQ(used.parts.size(), 4u);
    EXPECT_EQ(used.parts[2].id, 20);
    EXPECT_TRUE(Near(used.parts[3].toWorld.Point({}), {1, 3, 5}));
    const SceneObjectInfo* left = used.FindObject(20);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->name, "left one");
    EXPECT_EQ(left->phrase, "Hello there");
}

TEST(StoryRender, EveryPixelCarriesTheIdOfItsCentreSample) {
    const Scene scene = ReadScene(kTestScene);
    Renderer::Settings settings;
    settings.width = 120;
    settings.height = 80;
    const Renderer renderer(settings);
    const RenderedScene out = renderer.Render(scene);
    int borders = 0;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            SceneHit hit;
            const bool hitSomething =
                scene.Intersect(renderer.CameraRay(scene, x + 0.5, y + 0.5), 1e-6, 1e30, hit);
            const int expected = hitSomething ? scene.parts[hit.part].id : scene.sky.id;
            ASSERT_EQ(out.id[out.Index(x, y)], expected) << x << "," << y;
            if (x > 0 && out.id[out.Index(x, y)] != out.id[out.Index(x - 1, y)]) {
                ++borders;
                // Borders are drawn dark in the light, on one side or the other.
                EXPECT_GT(out.outline[out.Index(x, y)] + out.outline[out.Index(x - 1, y)], 128);
            }
        }
    EXPECT_GT(borders, 50);
}

TEST(StoryRender, TextureCoordinatesRunSmoothlyAlongEachSurface) {
    const Scene scene = ReadScene(kTestScene);
    Renderer::Settings settings;
    settings.width = 200;
    settings.height = 140;
    const RenderedScene out = Renderer(settings).Render(scene);
    int compared = 0;
    for (int y = 1; y < out.height; ++y)
        for (int x = 1; x < out.width; ++x) {
            const std::size_t here = out.Index(x, y);
            for (std::size_t there : {out.Index(x - 1, y), out.Index(x, y - 1)}) {
                // Within one part (not across a box edge or the floor's horizon) u and v
                // change little between neighbours; the wrap at a seam counts as near.
                if (out.id[here] != out.id[there] || out.id[here] == 2 || out.id[here] == 4 ||
                    out.id[here] == 1)
                    continue;
                if (out.outline[here] > 0 || out.outline[there] > 0) continue;
                ++compared;
                EXPECT_LE(CircularDistance(out.u[here], out.u[there]), 24) << x << "," << y;
                EXPECT_LE(CircularDistance(out.v[here], out.v[there]), 24) << x << "," << y;
            }
        }
    EXPECT_GT(compared, 1000);
    // Stripes wrap around the ball: its pixels cover most of the u range.
    int low = 255, high = 0;
    for (std::size_t i = 0; i < out.id.size(); ++i)
        if (out.id[i] == 3) {
            low = std::min<int>(low, out.u[i]);
            high = std::max<int>(high, out.u[i]);
        }
    EXPECT_GT(high - low, 100);
}

TEST(StoryRender, LightShowsShadowsAndRoundnessAndDoesNotDependOnThreads) {
    const Scene scene = ReadScene(kTestScene);
    Renderer::Settings settings;
    settings.width = 100;
    settings.height = 70;
    settings.threads = 1;
    const RenderedScene one = Renderer(settings).Render(scene);
    settings.threads = 3;
    const RenderedScene three = Renderer(settings).Render(scene);
    EXPECT_EQ(one.id, three.id);
    EXPECT_EQ(one.u, three.u);
    EXPECT_EQ(one.v, three.v);
    EXPECT_EQ(one.light, three.light);
    // The ball is lit unevenly: a round object, not a flat disc.
    int darkest = 255, brightest = 0;
    for (std::size_t i = 0; i < one.id.size(); ++i)
        if (one.id[i] == 3 && one.outline[i] == 0) {
            darkest = std::min<int>(darkest, one.surface[i]);
            brightest = std::max<int>(brightest, one.surface[i]);
        }
    EXPECT_GT(brightest - darkest, 80);
}
