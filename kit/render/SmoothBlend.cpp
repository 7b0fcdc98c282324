#include "render/SmoothBlend.h"

#include <algorithm>
#include <cmath>

#include "render/Scene.h"

namespace {

// Polynomial smooth minimum: equals min(a, b) once they differ by more than k.
double SmoothMin(double a, double b, double k) {
    const double h = std::max(k - std::abs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}

}  // namespace

void SmoothBlend::Add(const std::vector<ScenePart>& parts, int index) {
    const ScenePart& part = parts[index];
    m_parts.push_back(index);
    if (m_radius < 0.0) {
        m_centre = part.centre;
        m_radius = part.radius;
        return;
    }
    // The smallest sphere holding the old bound and the new part's.
    const Vec3 gap = part.centre - m_centre;
    const double d = Length(gap);
    if (d + part.radius <= m_radius) return;
    if (d + m_radius <= part.radius) {
        m_centre = part.centre;
        m_radius = part.radius;
        return;
    }
    const double radius = (d + m_radius + part.radius) * 0.5;
    m_centre = m_centre + gap * ((radius - m_radius) / d);
    m_radius = radius;
}

double SmoothBlend::Distance(const std::vector<ScenePart>& parts, const Vec3& p, int* owner) const {
    double blended = 1e30, nearest = 1e30;
    for (int index : m_parts) {
        const ScenePart& part = parts[index];
        const double d = part.primitive.Distance(part.toLocal.Point(p)) * part.minStretch;
        blended = blended >= 1e29 ? d : SmoothMin(blended, d, m_smooth);
        if (d < nearest) {
            nearest = d;
            if (owner != nullptr) *owner = index;
        }
    }
    return blended;
}

bool SmoothBlend::MayHit(const Ray& ray, double tMin, double tMax, double& from, double& to) const {
    // The smooth union adds at most a quarter of the smoothness to the parts' bounds.
    const double r = m_radius + m_smooth;
    const Vec3 oc = ray.origin - m_centre;
    const double a = Dot(ray.dir, ray.dir), b = Dot(oc, ray.dir), c = Dot(oc, oc) - r * r;
    const double disc = b * b - a * c;
    if (disc < 0.0) return false;
    const double root = std::sqrt(disc);
    from = std::max(tMin, (-b - root) / a);
    to = std::min(tMax, (-b + root) / a);
    return from < to;
}

bool SmoothBlend::Trace(const std::vector<ScenePart>& parts, const Ray& ray, double tMin,
                        double tMax, double& t) const {
    double from = 0.0, to = 0.0;
    if (!MayHit(ray, tMin, tMax, from, to)) return false;
    const double speed = Length(ray.dir);
    constexpr double kEpsilon = 1e-5;
    constexpr int kSteps = 160;
    double at = from;
    double d = Distance(parts, ray.At(at));
    // A ray that starts on the surface (a shadow ray) first leaves it.
    for (int i = 0; i < kSteps && d < 4.0 * kEpsilon && at < to; ++i) {
        at += std::max(std::abs(d), 4.0 * kEpsilon) / speed;
        d = Distance(parts, ray.At(at));
    }
    for (int i = 0; i < kSteps && at < to; ++i) {
        if (d < kEpsilon) {
            t = at;
            return at > tMin;
        }
        at += d / speed;
        d = Distance(parts, ray.At(at));
    }
    return false;
}

Vec3 SmoothBlend::Normal(const std::vector<ScenePart>& parts, const Vec3& p) const {
    constexpr double h = 1e-5;
    const Vec3 dx{h, 0, 0}, dy{0, h, 0}, dz{0, 0, h};
    return Normalize(Vec3{Distance(parts, p + dx) - Distance(parts, p - dx),
                          Distance(parts, p + dy) - Distance(parts, p - dy),
                          Distance(parts, p + dz) - Distance(parts, p - dz)});
}
