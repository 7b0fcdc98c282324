#include "render/Scene.h"

#include <algorithm>
#include <cmath>

void Scene::AddPart(int id, const Primitive& primitive, const Transform& toWorld, double tileU,
                    double tileV) {
    ScenePart part;
    part.id = id;
    part.primitive = primitive;
    part.toWorld = toWorld;
    part.toLocal = toWorld.Inverse();
    part.tileU = tileU;
    part.tileV = tileV;
    part.centre = toWorld.Point(Vec3{});
    const double local = primitive.BoundingRadius();
    part.radius = local < 0.0 ? -1.0 : local * toWorld.MaxStretch();
    part.minStretch = 1.0 / part.toLocal.MaxStretch();
    parts.push_back(part);
}

void Scene::BlendLastPart(const std::string& name, double smoothness) {
    std::size_t index = 0;
    while (index < blends.size() && blends[index].Name() != name) ++index;
    if (index == blends.size()) blends.emplace_back(name, smoothness);
    parts.back().blend = static_cast<int>(index);
    blends[index].Add(parts, static_cast<int>(parts.size()) - 1);
}

bool Scene::NearerBlendHit(const ScenePart& part, const Ray& ray, double tMin, std::uint64_t& tried,
                           double& best, int& bestPart) const {
    const std::uint64_t bit = std::uint64_t{1} << (part.blend % 64);
    if ((tried & bit) != 0) return false;
    tried |= bit;
    const SmoothBlend& blend = blends[part.blend];
    double t = 0.0;
    if (!blend.Trace(parts, ray, tMin, best, t)) return false;
    best = t;
    blend.Distance(parts, ray.At(t), &bestPart);
    return true;
}

const SceneObjectInfo* Scene::FindObject(int id) const {
    for (const SceneObjectInfo& info : objects)
        if (info.id == id) return &info;
    return nullptr;
}

SceneObjectInfo& Scene::ObjectFor(int id) {
    for (SceneObjectInfo& info : objects)
        if (info.id == id) return info;
    objects.push_back(SceneObjectInfo{id, "", "", ""});
    return objects.back();
}

bool Scene::MayHit(const ScenePart& part, const Ray& ray, double tMin, double tMax) const {
    if (part.radius < 0.0) return true;
    // Distance of the sphere's centre from the ray's line, and where along it the
    // sphere could be met: rejects most parts with a few multiplications.
    const Vec3 oc = part.centre - ray.origin;
    const double dd = Dot(ray.dir, ray.dir);
    const double along = Dot(oc, ray.dir) / dd;
    const Vec3 closest = oc - ray.dir * along;
    const double r2 = part.radius * part.radius;
    if (Dot(closest, closest) > r2) return false;
    const double halfChord = std::sqrt((r2 - Dot(closest, closest)) / dd);
    return along + halfChord > tMin && along - halfChord < tMax;
}

int Scene::Nearest(const Ray& ray, double tMin, double tMax, const std::vector<int>* among,
                   double& best, LocalHit& bestLocal, bool& blendHit) const {
    best = tMax;
    int bestPart = -1;
    blendHit = false;
    std::uint64_t tried = 0;  // figures already traced for this ray
    const std::size_t count = among ? among->size() : parts.size();
    for (std::size_t k = 0; k < count; ++k) {
        const int i = among ? (*among)[k] : static_cast<int>(k);
        const ScenePart& part = parts[i];
        if (part.blend >= 0) {
            if (NearerBlendHit(part, ray, tMin, tried, best, bestPart)) blendHit = true;
            continue;
        }
        if (!MayHit(part, ray, tMin, best)) continue;
        const Ray local{part.toLocal.Point(ray.origin), part.toLocal.Direction(ray.dir)};
        LocalHit lh;
        if (part.primitive.Intersect(local, tMin, best, lh)) {
            best = lh.t;
            bestLocal = lh;
            bestPart = i;
            blendHit = false;
        }
    }
    return bestPart;
}

bool Scene::Intersect(const Ray& ray, double tMin, double tMax, SceneHit& hit,
                      const std::vector<int>* among) const {
    double best = tMax;
    LocalHit bestLocal;
    bool blendHit = false;
    const int bestPart = Nearest(ray, tMin, tMax, among, best, bestLocal, blendHit);
    if (bestPart < 0) return false;
    const ScenePart& part = parts[bestPart];
    hit.t = best;
    hit.part = bestPart;
    hit.point = ray.At(best);
    if (blendHit) {
        // The figure's normal, seen in the owning part's space for its texture mapping.
        hit.normal = blends[part.blend].Normal(parts, hit.point);
        bestLocal.normal = Normalize(part.toWorld.NormalFromLocal(hit.normal));
    } else {
        hit.normal = Normalize(part.toLocal.NormalFromLocal(bestLocal.normal));
    }
    MapLocal(part, part.toLocal.Point(hit.point), bestLocal.normal, hit.u, hit.v);
    return true;
}

void Scene::MapLocal(const ScenePart& part, const Vec3& localPoint, const Vec3& localNormal,
                     double& u, double& v) {
    part.primitive.MapUV(localPoint, localNormal, u, v);
    if (part.tileU != 1.0) u = u * part.tileU - std::floor(u * part.tileU);
    if (part.tileV != 1.0) v = v * part.tileV - std::floor(v * part.tileV);
}

void Scene::SurfaceUV(int part, const Vec3& point, const Vec3& normal, double& u, double& v) const {
    const ScenePart& owner = parts[part];
    MapLocal(owner, owner.toLocal.Point(point), Normalize(owner.toWorld.NormalFromLocal(normal)), u,
             v);
}

bool Scene::Occluded(const Ray& ray, double tMin, double tMax,
                     const std::vector<int>* among) const {
    const std::size_t count = among ? among->size() : parts.size();
    std::uint64_t tried = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const ScenePart& part = parts[among ? (*among)[k] : k];
        if (part.blend >= 0) {
            double best = tMax;
            int owner = -1;
            if (NearerBlendHit(part, ray, tMin, tried, best, owner)) return true;
            continue;
        }
        if (!MayHit(part, ray, tMin, tMax)) continue;
        const Ray local{part.toLocal.Point(ray.origin), part.toLocal.Direction(ray.dir)};
        LocalHit lh;
        if (part.primitive.Intersect(local, tMin, tMax, lh)) return true;
    }
    return false;
}

void Scene::PartsInCone(const Vec3& origin, const Vec3& axis, double cosAngle, double reach,
                        std::vector<int>& out) const {
    // A bounding sphere seen at distance d under the angle asin(r / d) can be met by a
    // direction within the cone only when its centre lies within the cone's angle plus that.
    // The small slack keeps the test on the safe side of rounding.
    constexpr double kSlack = 1e-9;
    const double sinAngle = std::sqrt(std::max(0.0, 1.0 - cosAngle * cosAngle));
    out.clear();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const ScenePart& part = parts[i];
        const Vec3 oc = part.centre - origin;
        const double d2 = Dot(oc, oc);
        const double r = part.radius;
        bool keep = r < 0.0 || d2 <= r * r;
        if (!keep) {
            const double dist = std::sqrt(d2);
            const double sinB = r / dist, cosB = std::sqrt(1.0 - sinB * sinB);
            const double cosWidest = cosAngle * cosB - sinAngle * sinB;
            keep = dist - r <= reach * (1.0 + kSlack) + kSlack &&
                   Dot(oc, axis) >= dist * (cosWidest - kSlack);
        }
        if (keep) out.push_back(static_cast<int>(i));
    }
}
