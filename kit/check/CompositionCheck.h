#pragma once
#include <string>
#include <vector>

#include "render/Scene.h"

// Checks how a scene is composed, from its geometry and the object ids of its frame:
// every object shows at least kMinPixels pixels so a child can colour it, none is cut by
// the frame unless the scene says so (cut=yes), and every object rests on the ground or
// on something that does unless the scene lets it hang in the air (floats=yes).
class CompositionCheck {
  public:
    static constexpr int kMinPixels = 400;
    // Objects closer than this (world units) touch.
    static constexpr double kTouch = 0.03;

    // Adds one sentence per problem, each starting with `where` (the scene's file) and the
    // line that places the object.
    static void Run(const Scene& scene, int width, int height, const std::string& where,
                    std::vector<std::string>& problems);
    // The object id seen through the centre of every pixel, rows top-down.
    static std::vector<int> IdFrame(const Scene& scene, int width, int height);
    // Ids of the objects that neither rest on the ground nor on anything that does, and
    // that the scene does not let float.
    static std::vector<int> FloatingObjects(const Scene& scene);

  private:
    static bool IsGround(const Scene& scene, int id);
    // True when a surface point of object `a` lies in or next to a part of object `b`.
    static bool Touches(const Scene& scene, int a, int b);
    static bool NearPart(const ScenePart& part, const Vec3& world);
};
