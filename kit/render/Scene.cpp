#include "render/Scene.h"

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
    parts.push_back(part);
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

bool Scene::Intersect(const Ray& ray, double tMin, double tMax, SceneHit& hit) const {
    double best = tMax;
    LocalHit bestLocal;
    int bestPart = -1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const ScenePart& part = parts[i];
        if (!MayHit(part, ray, tMin, best)) continue;
        const Ray local{part.toLocal.Point(ray.origin), part.toLocal.Direction(ray.dir)};
        LocalHit lh;
        if (part.primitive.Intersect(local, tMin, best, lh)) {
            best = lh.t;
            bestLocal = lh;
            bestPart = static_cast<int>(i);
        }
    }
    if (bestPart < 0) return false;
    const ScenePart& part = parts[bestPart];
    hit.t = best;
    hit.part = bestPart;
    hit.point = ray.At(best);
    hit.normal = Normalize(part.toLocal.NormalFromLocal(bestLocal.normal));
    const Vec3 localPoint = part.toLocal.Point(hit.point);
    part.primitive.MapUV(localPoint, bestLocal.normal, hit.u, hit.v);
    if (part.tileU != 1.0) hit.u = hit.u * part.tileU - std::floor(hit.u * part.tileU);
    if (part.tileV != 1.0) hit.v = hit.v * part.tileV - std::floor(hit.v * part.tileV);
    return true;
}

bool Scene::Occluded(const Ray& ray, double tMin, double tMax) const {
    for (const ScenePart& part : parts) {
        if (!MayHit(part, ray, tMin, tMax)) continue;
        const Ray local{part.toLocal.Point(ray.origin), part.toLocal.Direction(ray.dir)};
        LocalHit lh;
        if (part.primitive.Intersect(local, tMin, tMax, lh)) return true;
    }
    return false;
}
