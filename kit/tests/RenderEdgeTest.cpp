// The ray tracer at its edges: ray intervals, rays along faces and axes, the bounding
// spheres that cull parts, texture coordinates of every mapping, transforms, and scenes
// with nothing in them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "render/Renderer.h"
#include "render/SceneReader.h"

namespace {

// A small deterministic generator so every run tests the same rays.
class Dice {
  public:
    double Next() {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(m_state >> 11) / 9007199254740992.0;
    }
    double Between(double a, double b) { return a + (b - a) * Next(); }
    Vec3 InBox(double half) {
        const double x = Between(-half, half), y = Between(-half, half);
        return {x, y, Between(-half, half)};
    }

  private:
    std::uint64_t m_state = 12345;
};

const Shape kShapes[] = {Shape::Sphere, Shape::Box,   Shape::Cylinder,
                         Shape::Cone,   Shape::Torus, Shape::Plane};

// A ray from a point around the shape towards a point near its middle.
Ray RayAtShape(Dice& dice) {
    Vec3 from = dice.InBox(1.0);
    from = Normalize(from) * 4.0 + Vec3{0.0, 0.5, 0.0};
    const Vec3 to = dice.InBox(0.6);
    return Ray{from, (to - from) * dice.Between(0.5, 2.0)};
}

// The nearest hit among all parts, trying every part: what the culled search must find.
int BruteNearest(const Scene& scene, const Ray& ray, double tMin, double tMax, double& best) {
    int found = -1;
    best = tMax;
    for (std::size_t i = 0; i < scene.parts.size(); ++i) {
        const ScenePart& part = scene.parts[i];
        const Ray local{part.toLocal.Point(ray.origin), part.toLocal.Direction(ray.dir)};
        LocalHit hit;
        if (part.primitive.Intersect(local, tMin, best, hit)) {
            best = hit.t;
            found = static_cast<int>(i);
        }
    }
    return found;
}

const char* const kCrowdedScene = R"(
light dir=0.3,1,-0.4 power=0.7
sky id=1 name=sky
object id=2 name=floor shape=plane map=planar tile=4,4
object id=3 name=ball shape=sphere map=spherical scale=0.7 at=-1.5,0.7,0
object id=4 name=crate shape=box map=box scale=0.6,0.3,0.4 turn=10,35,5 at=1.4,0.3,0.3
object id=5 name=ring shape=torus map=cylindrical minor=0.25 scale=0.6 turn=80,0,20 at=0,1.2,-0.8
object id=6 name=hat shape=cone map=cylindrical scale=0.4,0.8,0.4 turn=0,0,15 at=0.2,0.8,1
object id=7 name=post shape=cylinder map=cylindrical scale=0.15,1.5,0.15 at=-0.4,1.5,0.9
object id=8 name=egg shape=sphere map=spherical scale=0.2,0.45,0.2 turn=30,0,40 at=0.9,1.6,0.2
)";

}  // namespace

TEST(RenderEdgeTest, EveryShapeKeepsItsHitsInsideTheRayInterval) {
    Dice dice;
    for (Shape shape : kShapes) {
        const Primitive primitive(shape, Mapping::Box, 0.3);
        int hits = 0;
        for (int n = 0; n < 300; ++n) {
            const Ray ray = RayAtShape(dice);
            LocalHit first;
            if (!primitive.Intersect(ray, 1e-9, 1e9, first)) continue;
            ++hits;
            // The hit lies on the surface's side of the ray, and nothing nearer is reported
            // once the interval ends before it.
            LocalHit none;
            EXPECT_FALSE(primitive.Intersect(ray, 1e-9, first.t * 0.999, none))
                << static_cast<int>(shape) << " ray " << n;
            LocalHit later;
            if (primitive.Intersect(ray, first.t * 1.001, 1e9, later)) {
                EXPECT_GT(later.t, first.t * 1.001) << static_cast<int>(shape) << " ray " << n;
            }
            EXPECT_NEAR(Length(first.normal), 1.0, 1e-6) << static_cast<int>(shape);
        }
        EXPECT_GT(hits, 30) << static_cast<int>(shape);
    }
}

TEST(RenderEdgeTest, RaysAlongFacesAndAxes) {
    LocalHit hit;
    const Primitive plane(Shape::Plane, Mapping::Planar);
    EXPECT_FALSE(plane.Intersect(Ray{{0, 1, 0}, {1, 0, 0}}, 1e-9, 1e9, hit));  // parallel
    ASSERT_TRUE(plane.Intersect(Ray{{0, -2, 0}, {0, 1, 0}}, 1e-9, 1e9, hit));  // from below
    EXPECT_NEAR(hit.t, 2.0, 1e-12);
    EXPECT_FALSE(plane.Intersect(Ray{{0, 2, 0}, {0, 1, 0}}, 1e-9, 1e9, hit));  // moving away

    const Primitive box(Shape::Box, Mapping::Box);
    EXPECT_FALSE(box.Intersect(Ray{{-3, 1.5, 0}, {1, 0, 0}}, 1e-9, 1e9, hit));    // above the slab
    ASSERT_TRUE(box.Intersect(Ray{{0.2, 0.3, 0.1}, {0, 0, 1}}, 1e-9, 1e9, hit));  // from inside
    EXPECT_NEAR(hit.t, 0.9, 1e-12);
    EXPECT_EQ(hit.normal.z, 1.0);

    const Primitive cylinder(Shape::Cylinder, Mapping::Cylindrical);
    ASSERT_TRUE(cylinder.Intersect(Ray{{0.3, -4, 0.2}, {0, 1, 0}}, 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 3.0, 1e-12);  // the bottom cap, straight along the axis
    EXPECT_EQ(hit.normal.y, -1.0);
    EXPECT_FALSE(cylinder.Intersect(Ray{{1.2, -4, 0}, {0, 1, 0}}, 1e-9, 1e9, hit));

    const Primitive cone(Shape::Cone, Mapping::Cylindrical);
    ASSERT_TRUE(cone.Intersect(Ray{{0, 5, 0}, {0, -1, 0}}, 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 4.0, 1e-9);  // the apex
    ASSERT_TRUE(cone.Intersect(Ray{{0.5, -5, 0}, {0, 1, 0}}, 1e-9, 1e9, hit));
    EXPECT_NEAR(hit.t, 4.0, 1e-12);  // the base
    EXPECT_EQ(hit.normal.y, -1.0);

    const Primitive torus(Shape::Torus, Mapping::Cylindrical, 0.25);
    ASSERT_TRUE(torus.Intersect(Ray{{0, 0, 0}, {0, 0, 1}}, 1e-9, 1e9, hit));  // from the hole
    EXPECT_NEAR(hit.t, 0.75, 1e-5);
    EXPECT_NEAR(hit.normal.z, -1.0, 1e-4);
    EXPECT_FALSE(torus.Intersect(Ray{{-3, 0.26, 0}, {1, 0, 0}}, 1e-9, 1e9, hit));  // just above
    ASSERT_TRUE(torus.Intersect(Ray{{-3, 0.24, 0}, {1, 0, 0}}, 1e-9, 1e9, hit));   // just under
    EXPECT_GT(hit.t, 1.75);
    EXPECT_LT(hit.t, 2.25);
}

TEST(RenderEdgeTest, CulledSearchFindsWhatTryingEveryPartFinds) {
    SceneReader reader;
    Scene scene;
    std::string error;
    ASSERT_TRUE(reader.ReadScene(kCrowdedScene, scene, error)) << error;
    Dice dice;
    int hits = 0, blocked = 0;
    for (int n = 0; n < 4000; ++n) {
        const Vec3 from = dice.InBox(3.0) + Vec3{0.0, 3.5, 0.0};
        const Ray ray{from, Normalize(dice.InBox(1.0))};
        const double reach = dice.Between(0.2, 6.0);
        double bruteT = 0.0;
        const int brute = BruteNearest(scene, ray, 1e-6, 1e30, bruteT);
        SceneHit hit;
        const bool found = scene.Intersect(ray, 1e-6, 1e30, hit);
        ASSERT_EQ(found, brute >= 0) << "ray " << n;
        if (found) {
            ++hits;
            EXPECT_EQ(hit.part, brute) << "ray " << n;
            EXPECT_NEAR(hit.t, bruteT, 1e-9) << "ray " << n;
            EXPECT_GE(hit.u, 0.0);
            EXPECT_LT(hit.u, 1.0);
            EXPECT_GE(hit.v, 0.0);
            EXPECT_LT(hit.v, 1.0);
        }
        // Occlusion over a shorter reach sees exactly the hits nearer than the reach.
        double nearT = 0.0;
        const bool expectBlocked = BruteNearest(scene, ray, 1e-6, reach, nearT) >= 0;
        ASSERT_EQ(scene.Occluded(ray, 1e-6, reach), expectBlocked) << "ray " << n;
        blocked += expectBlocked ? 1 : 0;
    }
    EXPECT_GT(hits, 1000);
    EXPECT_GT(blocked, 300);
}

TEST(RenderEdgeTest, PartsInAConeAreAllThatRaysInsideItCanMeet) {
    SceneReader reader;
    Scene scene;
    std::string error;
    ASSERT_TRUE(reader.ReadScene(kCrowdedScene, scene, error)) << error;
    Dice dice;
    int culled = 0, hits = 0;
    std::vector<int> among;
    for (int cone = 0; cone < 300; ++cone) {
        const Vec3 origin = dice.InBox(2.5) + Vec3{0.0, 2.0, 0.0};
        const Vec3 axis = Normalize(dice.InBox(1.0));
        // Narrow cones as for a pixel or the sun, wide ones up to the whole hemisphere.
        const double angle =
            cone % 3 == 0 ? dice.Between(0.0, 0.01) : dice.Between(0.0, std::numbers::pi / 2);
        const double reach = cone % 2 ? 1e30 : dice.Between(0.3, 2.0);
        scene.PartsInCone(origin, axis, std::cos(angle), reach, among);
        culled += static_cast<int>(scene.parts.size() - among.size());
        ASSERT_TRUE(std::is_sorted(among.begin(), among.end()));
        Vec3 a = Normalize(Cross(std::abs(axis.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0}, axis));
        const Vec3 b = Cross(axis, a);
        for (int n = 0; n < 40; ++n) {
            // A direction inside the cone, often right at its rim.
            const double tilt = n % 4 == 0 ? angle : angle * std::sqrt(dice.Next());
            const double turn = dice.Between(0.0, 2 * std::numbers::pi);
            const Vec3 dir =
                Normalize(axis * std::cos(tilt) + a * (std::sin(tilt) * std::cos(turn)) +
                          b * (std::sin(tilt) * std::sin(turn)));
            const Ray ray{origin, dir};
            SceneHit all, some;
            const bool hitAll = scene.Intersect(ray, 1e-6, reach, all);
            ASSERT_EQ(scene.Intersect(ray, 1e-6, reach, some, &among), hitAll) << cone << "/" << n;
            if (hitAll) {
                ++hits;
                EXPECT_EQ(some.part, all.part);
                EXPECT_EQ(some.t, all.t);
            }
            ASSERT_EQ(scene.Occluded(ray, 0.0, reach, &among), scene.Occluded(ray, 0.0, reach));
        }
    }
    EXPECT_GT(culled, 1000);  // the cones leave parts out
    EXPECT_GT(hits, 1000);
}

TEST(RenderEdgeTest, EveryMappingGivesCoordinatesInTheUnitSquare) {
    Dice dice;
    for (Mapping mapping :
         {Mapping::Planar, Mapping::Cylindrical, Mapping::Spherical, Mapping::Box}) {
        for (Shape shape : kShapes) {
            const Primitive primitive(shape, mapping, 0.3);
            for (int n = 0; n < 200; ++n) {
                const Ray ray = RayAtShape(dice);
                LocalHit hit;
                if (!primitive.Intersect(ray, 1e-9, 1e9, hit)) continue;
                double u = -1.0, v = -1.0;
                primitive.MapUV(ray.At(hit.t), hit.normal, u, v);
                ASSERT_GE(u, 0.0) << static_cast<int>(mapping) << "/" << static_cast<int>(shape);
                ASSERT_LT(u, 1.0) << static_cast<int>(mapping) << "/" << static_cast<int>(shape);
                ASSERT_GE(v, 0.0) << static_cast<int>(mapping) << "/" << static_cast<int>(shape);
                ASSERT_LT(v, 1.0) << static_cast<int>(mapping) << "/" << static_cast<int>(shape);
            }
        }
    }
}

TEST(RenderEdgeTest, TransformsInvertAndBoundTheirStretch) {
    Dice dice;
    for (int n = 0; n < 200; ++n) {
        const Vec3 scale{dice.Between(0.1, 3.0), dice.Between(0.1, 3.0), dice.Between(0.1, 3.0)};
        const Transform t = Transform::Compose(scale, dice.InBox(180.0), dice.InBox(5.0));
        const Transform back = t.Inverse();
        const Vec3 p = dice.InBox(4.0);
        const Vec3 round = back.Point(t.Point(p));
        EXPECT_NEAR(Length(round - p), 0.0, 1e-9);
        const Vec3 d = Normalize(dice.InBox(1.0));
        EXPECT_LE(Length(t.Direction(d)), t.MaxStretch() * (1 + 1e-9));
        // A part's bounding sphere holds every point of its unit shape.
        EXPECT_LE(Length(t.Point(d) - t.Point({})), t.MaxStretch() * (1 + 1e-9));
    }
}

TEST(RenderEdgeTest, ScenesWithNothingOrNoLightStillRender) {
    Renderer::Settings settings;
    settings.width = 12;
    settings.height = 9;
    settings.threads = 2;
    Scene empty;
    const RenderedScene sky = Renderer(settings).Render(empty);
    ASSERT_EQ(sky.id.size(), 12u * 9u);
    for (std::size_t i = 0; i < sky.id.size(); ++i) {
        EXPECT_EQ(sky.id[i], empty.sky.id);
        EXPECT_EQ(sky.outline[i], 0);
        EXPECT_GT(sky.light[i], 200);
    }
    // Without lights the ambient term alone lights an open surface fully.
    SceneReader reader;
    Scene dark;
    std::string error;
    ASSERT_TRUE(
        reader.ReadScene("camera from=0,3,-3 to=0,0,0\nobject id=2 name=floor "
                         "shape=plane map=planar\n",
                         dark, error))
        << error;
    ASSERT_TRUE(dark.lights.empty());
    const RenderedScene floor = Renderer(settings).Render(dark);
    const std::size_t middle = floor.Index(6, 4);
    EXPECT_EQ(floor.id[middle], 2);
    EXPECT_GT(floor.surface[middle], 240);
    // One pixel with one sample a pixel.
    settings.width = settings.height = 1;
    settings.grid = 1;
    const RenderedScene dot = Renderer(settings).Render(dark);
    EXPECT_EQ(dot.id.size(), 1u);
}
