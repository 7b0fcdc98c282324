// The composition check: small objects, objects cut by the frame and objects floating in
// the air are found in planted scenes, and what a scene allows is let through; the shapes'
// surface points and insides agree with the ray tracer.
#include <gtest/gtest.h>

#include <algorithm>

#include "check/CompositionCheck.h"
#include "render/SceneReader.h"
#include "story/StoryKit.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 224;

// A ground, a box standing on it and whatever `extra` adds, seen from the front.
Scene Planted(const std::string& extra) {
    const std::string text = R"(scene planted
camera from=0,2,-8 to=0,1,0 fov=50
light dir=0,1,-1 power=0.8
object id=2 name=ground shape=plane map=planar
object id=3 name=crate shape=box map=box scale=0.8 at=0,0.8,0
)" + extra;
    Scene scene;
    SceneReader reader;
    std::string error;
    EXPECT_TRUE(reader.ReadScene(text, scene, error)) << error;
    return scene;
}

std::vector<std::string> Problems(const Scene& scene) {
    std::vector<std::string> problems;
    CompositionCheck::Run(scene, kWidth, kHeight, "planted.scene", problems);
    return problems;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& what) {
    return std::any_of(problems.begin(), problems.end(), [&](const std::string& line) {
        return line.find(what) != std::string::npos;
    });
}

TEST(Composition, AWellPlacedSceneHasNoProblems) {
    const Scene scene = Planted(
        "object id=4 name=ball shape=sphere map=spherical scale=0.5 at=1.8,0.5,0\n"
        "object id=5 name=lid shape=box map=box scale=0.6,0.1,0.6 at=0,1.7,0\n");
    EXPECT_EQ(Problems(scene), std::vector<std::string>{});
}

TEST(Composition, FindsObjectsCutByTheFrame) {
    // The ball sits on the ground half out of the picture on the left.
    Scene scene =
        Planted("object id=4 name=ball shape=sphere map=spherical scale=0.9 at=-3.8,0.9,0\n");
    const std::vector<std::string> problems = Problems(scene);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(Mentions(problems, "planted.scene: line 6: the frame cuts \"ball\" (id 4)"));
    // The ground runs out of the frame everywhere and is no problem; saying so lets the ball be.
    scene = Planted(
        "object id=4 name=ball shape=sphere map=spherical scale=0.9 at=-3.8,0.9,0 cut=yes\n");
    EXPECT_EQ(Problems(scene), std::vector<std::string>{});
}

TEST(Composition, FindsFloatingObjectsButNotWhatRestsOnThem) {
    // A ball a hand's width above the crate, and a smaller one sitting on that ball.
    Scene scene = Planted(
        "object id=4 name=ball shape=sphere map=spherical scale=0.4 at=0,2.1,0\n"
        "object id=5 name=pebble shape=sphere map=spherical scale=0.3 at=0,2.79,0\n");
    std::vector<std::string> problems = Problems(scene);
    EXPECT_TRUE(Mentions(problems, "\"ball\" (id 4) floats"));
    EXPECT_TRUE(Mentions(problems, "\"pebble\" (id 5) floats"));
    EXPECT_FALSE(Mentions(problems, "crate"));
    // Lowered onto the crate, the ball rests and so does the pebble on it.
    scene = Planted(
        "object id=4 name=ball shape=sphere map=spherical scale=0.4 at=0,2.0,0\n"
        "object id=5 name=pebble shape=sphere map=spherical scale=0.3 at=0,2.69,0\n");
    EXPECT_EQ(CompositionCheck::FloatingObjects(scene), std::vector<int>{});
    // A sun may hang in the sky when the scene says so.
    scene = Planted(
        "object id=4 name=sun shape=sphere map=spherical scale=0.5 at=2,3.5,2 floats=yes\n");
    EXPECT_EQ(CompositionCheck::FloatingObjects(scene), std::vector<int>{});
}

TEST(Composition, FindsObjectsTooSmallToColour) {
    const Scene scene =
        Planted("object id=4 name=button shape=sphere map=spherical scale=0.12 at=0,1.6,-0.75\n");
    const std::vector<std::string> problems = Problems(scene);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(Mentions(problems, "\"button\" (id 4) shows only"));
    // The frame's pixels are all counted: the button's area matches the id frame.
    const std::vector<int> frame = CompositionCheck::IdFrame(scene, kWidth, kHeight);
    const auto shown = std::count(frame.begin(), frame.end(), 4);
    EXPECT_GT(shown, 10);
    EXPECT_LT(shown, CompositionCheck::kMinPixels);
}

TEST(Composition, SurfacePointsLieOnTheShapesEdge) {
    for (Shape shape : {Shape::Sphere, Shape::Box, Shape::Cylinder, Shape::Cone, Shape::Torus}) {
        SCOPED_TRACE(static_cast<int>(shape));
        const Primitive primitive(shape, Mapping::Spherical, 0.3);
        std::vector<Vec3> points;
        primitive.SurfacePoints(6, points);
        ASSERT_GT(points.size(), 50u);
        for (const Vec3& p : points) {
            // On the surface: inside, yet a small step outward (away from the centre) leaves.
            ASSERT_TRUE(primitive.Contains(p)) << p.x << "," << p.y << "," << p.z;
            const Vec3 outward = shape == Shape::Torus ? p - Normalize(Vec3{p.x, 0.0, p.z}) : p;
            ASSERT_FALSE(primitive.Contains(p + Normalize(outward) * 0.02))
                << p.x << "," << p.y << "," << p.z;
        }
    }
}

TEST(Composition, EveryKitBookIsWellComposed) {
    const std::vector<std::string> books = KitBookFiles();
    ASSERT_FALSE(books.empty());
    for (const std::string& book : books) {
        std::vector<std::string> problems;
        CheckComposition(book, problems);
        EXPECT_EQ(problems, std::vector<std::string>{}) << book;
    }
}

}  // namespace
