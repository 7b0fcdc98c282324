#include "check/CompositionCheck.h"

#include <map>
#include <set>

#include "render/Renderer.h"

namespace {

// "FILE: line N" for the line that places the object, or just the file.
std::string Where(const std::string& file, const Scene& scene, int id) {
    const SceneObjectInfo* info = scene.FindObject(id);
    return info != nullptr && info->line > 0 ? file + ": line " + std::to_string(info->line) : file;
}

std::string Named(const Scene& scene, int id) {
    const SceneObjectInfo* info = scene.FindObject(id);
    const std::string name = info != nullptr && !info->name.empty() ? info->name : "object";
    return "\"" + name + "\" (id " + std::to_string(id) + ")";
}

bool MayFloat(const Scene& scene, int id) {
    const SceneObjectInfo* info = scene.FindObject(id);
    return info != nullptr && info->mayFloat;
}

// Ids that own at least one part, in id order.
std::set<int> PlacedIds(const Scene& scene) {
    std::set<int> ids;
    for (const ScenePart& part : scene.parts) ids.insert(part.id);
    return ids;
}

}  // namespace

std::vector<int> CompositionCheck::IdFrame(const Scene& scene, int width, int height) {
    Renderer::Settings settings;
    settings.width = width;
    settings.height = height;
    const Renderer renderer(settings);
    std::vector<int> ids(static_cast<std::size_t>(width) * height, scene.sky.id);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            SceneHit hit;
            const Ray ray = renderer.CameraRay(scene, x + 0.5, y + 0.5);
            if (scene.Intersect(ray, 1e-6, 1e30, hit))
                ids[static_cast<std::size_t>(y) * width + x] = scene.parts[hit.part].id;
        }
    return ids;
}

bool CompositionCheck::IsGround(const Scene& scene, int id) {
    for (const ScenePart& part : scene.parts)
        if (part.id == id && part.radius < 0.0) return true;
    return false;
}

// True when the world point lies in the part or within kTouch of it along an axis.
bool CompositionCheck::NearPart(const ScenePart& part, const Vec3& world) {
    if (part.radius >= 0.0 && Length(world - part.centre) > part.radius + kTouch) return false;
    static const Vec3 kSteps[] = {{0, 0, 0},       {kTouch, 0, 0}, {-kTouch, 0, 0}, {0, kTouch, 0},
                                  {0, -kTouch, 0}, {0, 0, kTouch}, {0, 0, -kTouch}};
    for (const Vec3& step : kSteps)
        if (part.primitive.Contains(part.toLocal.Point(world + step))) return true;
    return false;
}

bool CompositionCheck::Touches(const Scene& scene, int a, int b) {
    std::vector<Vec3> points;
    for (const ScenePart& from : scene.parts) {
        if (from.id != a) continue;
        points.clear();
        from.primitive.SurfacePoints(12, points);
        for (const ScenePart& to : scene.parts) {
            if (to.id != b) continue;
            if (from.radius >= 0.0 && to.radius >= 0.0 &&
                Length(from.centre - to.centre) > from.radius + to.radius + kTouch)
                continue;
            for (const Vec3& local : points)
                if (NearPart(to, from.toWorld.Point(local))) return true;
        }
    }
    return false;
}

std::vector<int> CompositionCheck::FloatingObjects(const Scene& scene) {
    const std::set<int> ids = PlacedIds(scene);
    std::set<int> resting;
    std::vector<int> reached;
    for (int id : ids)
        if (IsGround(scene, id) || MayFloat(scene, id)) {
            resting.insert(id);
            reached.push_back(id);
        }
    // Whatever touches something that rests, rests too.
    while (!reached.empty()) {
        const int base = reached.back();
        reached.pop_back();
        for (int id : ids)
            if (!resting.contains(id) && (Touches(scene, id, base) || Touches(scene, base, id))) {
                resting.insert(id);
                reached.push_back(id);
            }
    }
    std::vector<int> floating;
    for (int id : ids)
        if (!resting.contains(id)) floating.push_back(id);
    return floating;
}

void CompositionCheck::Run(const Scene& scene, int width, int height, const std::string& where,
                           std::vector<std::string>& problems) {
    const std::vector<int> frame = IdFrame(scene, width, height);
    std::map<int, int> pixels;
    std::set<int> atEdge;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int id = frame[static_cast<std::size_t>(y) * width + x];
            ++pixels[id];
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1) atEdge.insert(id);
        }
    for (const SceneObjectInfo& info : scene.objects) {
        const int shown = pixels.contains(info.id) ? pixels[info.id] : 0;
        if (shown < kMinPixels)
            problems.push_back(Where(where, scene, info.id) + ": " + Named(scene, info.id) +
                               " shows only " + std::to_string(shown) +
                               " pixels; make it bigger or nearer " + "so it shows at least " +
                               std::to_string(kMinPixels) + ".");
        if (atEdge.contains(info.id) && info.id != scene.sky.id && !IsGround(scene, info.id) &&
            !info.mayBeCut)
            problems.push_back(Where(where, scene, info.id) + ": the frame cuts " +
                               Named(scene, info.id) +
                               "; move it into the picture, or write cut=yes if that is meant.");
    }
    for (int id : FloatingObjects(scene))
        problems.push_back(Where(where, scene, id) + ": " + Named(scene, id) +
                           " floats in the air; put it on the ground or on something, or " +
                           "write floats=yes if that is meant.");
}
