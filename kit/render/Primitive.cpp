#include "render/Primitive.h"

#include <algorithm>
#include <array>
#include <numbers>
#include <utility>

namespace {

// Keeps the candidate when it is nearer than the current best and inside the interval.
void Consider(double t, const Vec3& normal, double tMin, double& best, LocalHit& hit) {
    if (t > tMin && t < best) {
        best = t;
        hit.t = t;
        hit.normal = normal;
    }
}

// Real roots of a t^2 + b t + c, smaller first; false when there are none.
bool SolveQuadratic(double a, double b, double c, double& t0, double& t1) {
    if (std::abs(a) < 1e-14) return false;
    const double disc = b * b - 4.0 * a * c;
    if (disc < 0.0) return false;
    // The numerically stable form avoids cancellation for the smaller root.
    const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
    t0 = q / a;
    t1 = q != 0.0 ? c / q : t0;
    if (t0 > t1) std::swap(t0, t1);
    return true;
}

double Wrap01(double x) {
    const double f = x - std::floor(x);
    return f >= 1.0 ? 0.0 : f;
}

double Angle01(const Vec3& p) {
    return Wrap01(std::atan2(p.x, p.z) / (2.0 * std::numbers::pi) + 0.5);
}

double Clamp01(double x) {
    return std::clamp(x, 0.0, 1.0 - 1e-9);
}

}  // namespace

Primitive::Primitive(Shape shape, Mapping mapping, double minor)
    : m_shape(shape), m_mapping(mapping), m_minor(minor) {}

bool Primitive::ParseShape(const std::string& name, Shape& shape) {
    static const std::array<std::pair<const char*, Shape>, 6> names{{{"sphere", Shape::Sphere},
                                                                     {"box", Shape::Box},
                                                                     {"cylinder", Shape::Cylinder},
                                                                     {"cone", Shape::Cone},
                                                                     {"torus", Shape::Torus},
                                                                     {"plane", Shape::Plane}}};
    for (const auto& [text, value] : names)
        if (name == text) {
            shape = value;
            return true;
        }
    return false;
}

bool Primitive::ParseMapping(const std::string& name, Mapping& mapping) {
    static const std::array<std::pair<const char*, Mapping>, 4> names{
        {{"planar", Mapping::Planar},
         {"cylindrical", Mapping::Cylindrical},
         {"spherical", Mapping::Spherical},
         {"box", Mapping::Box}}};
    for (const auto& [text, value] : names)
        if (name == text) {
            mapping = value;
            return true;
        }
    return false;
}

bool Primitive::Intersect(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    switch (m_shape) {
        case Shape::Sphere:
            return HitSphere(ray, tMin, tMax, hit);
        case Shape::Box:
            return HitBox(ray, tMin, tMax, hit);
        case Shape::Cylinder:
            return HitCylinder(ray, tMin, tMax, hit);
        case Shape::Cone:
            return HitCone(ray, tMin, tMax, hit);
        case Shape::Torus:
            return HitTorus(ray, tMin, tMax, hit);
        case Shape::Plane:
            return HitPlane(ray, tMin, tMax, hit);
    }
    return false;
}

double Primitive::BoundingRadius() const {
    switch (m_shape) {
        case Shape::Sphere:
            return 1.0;
        case Shape::Box:
            return std::sqrt(3.0);
        case Shape::Cylinder:
        case Shape::Cone:
            return std::sqrt(2.0);
        case Shape::Torus:
            return 1.0 + m_minor;
        case Shape::Plane:
            return -1.0;
    }
    return -1.0;
}

bool Primitive::HitSphere(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    double t0 = 0.0, t1 = 0.0;
    if (!SolveQuadratic(Dot(ray.dir, ray.dir), 2.0 * Dot(ray.origin, ray.dir),
                        Dot(ray.origin, ray.origin) - 1.0, t0, t1))
        return false;
    double best = tMax;
    Consider(t0, ray.At(t0), tMin, best, hit);
    Consider(t1, ray.At(t1), tMin, best, hit);
    return best < tMax;
}

bool Primitive::HitBox(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    double tNear = -1e300, tFar = 1e300;
    int nearAxis = 0, farAxis = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const double o = ray.origin[axis], d = ray.dir[axis];
        if (std::abs(d) < 1e-14) {
            if (o < -1.0 || o > 1.0) return false;
            continue;
        }
        double ta = (-1.0 - o) / d, tb = (1.0 - o) / d;
        if (ta > tb) std::swap(ta, tb);
        if (ta > tNear) {
            tNear = ta;
            nearAxis = axis;
        }
        if (tb < tFar) {
            tFar = tb;
            farAxis = axis;
        }
    }
    if (tNear > tFar) return false;
    auto faceNormal = [&](int axis, double t) {
        Vec3 n;
        const double side = ray.At(t)[axis] > 0.0 ? 1.0 : -1.0;
        (axis == 0 ? n.x : axis == 1 ? n.y : n.z) = side;
        return n;
    };
    double best = tMax;
    Consider(tNear, faceNormal(nearAxis, tNear), tMin, best, hit);
    Consider(tFar, faceNormal(farAxis, tFar), tMin, best, hit);
    return best < tMax;
}

bool Primitive::HitCylinder(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    const Vec3& o = ray.origin;
    const Vec3& d = ray.dir;
    double best = tMax;
    double t0 = 0.0, t1 = 0.0;
    if (SolveQuadratic(d.x * d.x + d.z * d.z, 2.0 * (o.x * d.x + o.z * d.z),
                       o.x * o.x + o.z * o.z - 1.0, t0, t1))
        for (double t : {t0, t1}) {
            const Vec3 p = ray.At(t);
            if (std::abs(p.y) <= 1.0) Consider(t, Vec3{p.x, 0.0, p.z}, tMin, best, hit);
        }
    if (std::abs(d.y) > 1e-14)
        for (double capY : {-1.0, 1.0}) {
            const double t = (capY - o.y) / d.y;
            const Vec3 p = ray.At(t);
            if (p.x * p.x + p.z * p.z <= 1.0) Consider(t, Vec3{0.0, capY, 0.0}, tMin, best, hit);
        }
    return best < tMax;
}

bool Primitive::HitCone(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    // Side: x^2 + z^2 = k^2 (1 - y)^2 with k = 1/2, between y = -1 and the apex y = 1.
    const Vec3& o = ray.origin;
    const Vec3& d = ray.dir;
    const double k2 = 0.25;
    const double w = 1.0 - o.y, dw = -d.y;
    double best = tMax;
    double t0 = 0.0, t1 = 0.0;
    if (SolveQuadratic(d.x * d.x + d.z * d.z - k2 * dw * dw,
                       2.0 * (o.x * d.x + o.z * d.z - k2 * w * dw),
                       o.x * o.x + o.z * o.z - k2 * w * w, t0, t1))
        for (double t : {t0, t1}) {
            const Vec3 p = ray.At(t);
            if (p.y >= -1.0 && p.y <= 1.0)
                Consider(t, Normalize(Vec3{p.x, k2 * (1.0 - p.y), p.z}), tMin, best, hit);
        }
    if (std::abs(d.y) > 1e-14) {
        const double t = (-1.0 - o.y) / d.y;
        const Vec3 p = ray.At(t);
        if (p.x * p.x + p.z * p.z <= 1.0) Consider(t, Vec3{0.0, -1.0, 0.0}, tMin, best, hit);
    }
    return best < tMax;
}

bool Primitive::HitTorus(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    // Sphere tracing of the torus' distance function inside its bounding slab.
    const double r = m_minor;
    const double scale = Length(ray.dir);
    if (scale <= 0.0) return false;
    const Vec3 dir = ray.dir / scale;
    auto distance = [r](const Vec3& p) {
        const double ring = std::sqrt(p.x * p.x + p.z * p.z) - 1.0;
        return std::sqrt(ring * ring + p.y * p.y) - r;
    };
    // Clip the ray to the torus' bounding box first.
    double enter = tMin * scale, leave = tMax * scale;
    const Vec3 half{1.0 + r, r, 1.0 + r};
    for (int axis = 0; axis < 3; ++axis) {
        const double o = ray.origin[axis], dd = dir[axis];
        if (std::abs(dd) < 1e-14) {
            if (std::abs(o) > half[axis]) return false;
            continue;
        }
        double ta = (-half[axis] - o) / dd, tb = (half[axis] - o) / dd;
        if (ta > tb) std::swap(ta, tb);
        enter = std::max(enter, ta);
        leave = std::min(leave, tb);
    }
    if (enter > leave) return false;
    double s = enter;
    if (distance(ray.origin + dir * s) < 0.0)
        return false;  // starting inside the tube: treated as leaving it
    for (int step = 0; step < 160 && s <= leave; ++step) {
        const Vec3 p = ray.origin + dir * s;
        const double dist = distance(p);
        if (dist < 1e-6) {
            const double ringLen = std::sqrt(p.x * p.x + p.z * p.z);
            const Vec3 centre = ringLen > 0.0 ? Vec3{p.x / ringLen, 0.0, p.z / ringLen} : Vec3{};
            hit.t = s / scale;
            hit.normal = Normalize(p - centre);
            return hit.t > tMin && hit.t < tMax;
        }
        s += dist;
    }
    return false;
}

bool Primitive::HitPlane(const Ray& ray, double tMin, double tMax, LocalHit& hit) const {
    if (std::abs(ray.dir.y) < 1e-14) return false;
    const double t = -ray.origin.y / ray.dir.y;
    if (t <= tMin || t >= tMax) return false;
    hit.t = t;
    hit.normal = Vec3{0.0, 1.0, 0.0};
    return true;
}

void Primitive::MapUV(const Vec3& p, const Vec3& n, double& u, double& v) const {
    switch (m_mapping) {
        case Mapping::Planar:
            // A plane is seen from above, every other shape from the front (along z).
            u = m_shape == Shape::Plane ? Wrap01(p.x * 0.5 + 0.5) : Clamp01(p.x * 0.5 + 0.5);
            v = m_shape == Shape::Plane ? Wrap01(p.z * 0.5 + 0.5) : Clamp01(0.5 - p.y * 0.5);
            return;
        case Mapping::Cylindrical:
            u = Angle01(p);
            v = Clamp01(0.5 - p.y * 0.5);
            return;
        case Mapping::Spherical:
            u = Angle01(p);
            v = Clamp01(std::acos(std::clamp(p.y / std::max(Length(p), 1e-12), -1.0, 1.0)) /
                        std::numbers::pi);
            return;
        case Mapping::Box: {
            const double ax = std::abs(n.x), ay = std::abs(n.y), az = std::abs(n.z);
            if (ax >= ay && ax >= az) {
                u = Clamp01(p.z * 0.5 + 0.5);
                v = Clamp01(0.5 - p.y * 0.5);
            } else if (ay >= az) {
                u = Clamp01(p.x * 0.5 + 0.5);
                v = Clamp01(p.z * 0.5 + 0.5);
            } else {
                u = Clamp01(p.x * 0.5 + 0.5);
                v = Clamp01(0.5 - p.y * 0.5);
            }
            return;
        }
    }
}

bool Primitive::Contains(const Vec3& p) const {
    constexpr double kSlack = 1e-9;
    const double ring = std::sqrt(p.x * p.x + p.z * p.z);
    switch (m_shape) {
        case Shape::Sphere:
            return Dot(p, p) <= 1.0 + kSlack;
        case Shape::Box:
            return std::max({std::abs(p.x), std::abs(p.y), std::abs(p.z)}) <= 1.0 + kSlack;
        case Shape::Cylinder:
            return ring <= 1.0 + kSlack && std::abs(p.y) <= 1.0 + kSlack;
        case Shape::Cone:
            return std::abs(p.y) <= 1.0 + kSlack && ring <= (1.0 - p.y) * 0.5 + kSlack;
        case Shape::Torus:
            return (ring - 1.0) * (ring - 1.0) + p.y * p.y <= m_minor * m_minor + kSlack;
        case Shape::Plane:
            return p.y <= kSlack;
    }
    return false;
}

namespace {

// A grid of n x n points over the square face of a unit box (axis `axis`, side `side`).
void BoxFace(int axis, double side, int n, std::vector<Vec3>& out) {
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
            const double a = -1.0 + 2.0 * i / n, b = -1.0 + 2.0 * j / n;
            out.push_back(axis == 0   ? Vec3{side, a, b}
                          : axis == 1 ? Vec3{a, side, b}
                                      : Vec3{a, b, side});
        }
}

// Rings of points round the y axis from y = -1 to 1, radius given by `radiusAt(y)`,
// with the flat caps filled in where the radius is not zero.
template <class RadiusAt>
void Lathe(int n, RadiusAt radiusAt, std::vector<Vec3>& out) {
    const int around = 4 * n;
    for (int i = 0; i <= n; ++i) {
        const double y = -1.0 + 2.0 * i / n;
        for (int k = 0; k < around; ++k) {
            const double a = 2.0 * std::numbers::pi * k / around;
            for (int r = (i == 0 || i == n) ? 0 : n; r <= n; ++r) {
                const double radius = radiusAt(y) * r / n;
                out.push_back({radius * std::sin(a), y, radius * std::cos(a)});
            }
        }
    }
}

}  // namespace

void Primitive::SurfacePoints(int perUnit, std::vector<Vec3>& out) const {
    const int n = std::max(perUnit, 2);
    switch (m_shape) {
        case Shape::Sphere: {
            // A Fibonacci spiral spreads the points evenly.
            const int count = 4 * n * n;
            const double golden = std::numbers::pi * (3.0 - std::sqrt(5.0));
            for (int i = 0; i < count; ++i) {
                const double y = 1.0 - 2.0 * (i + 0.5) / count;
                const double r = std::sqrt(1.0 - y * y);
                out.push_back({r * std::cos(golden * i), y, r * std::sin(golden * i)});
            }
            out.push_back({0.0, -1.0, 0.0});
            out.push_back({0.0, 1.0, 0.0});
            return;
        }
        case Shape::Box:
            for (int axis = 0; axis < 3; ++axis)
                for (double side : {-1.0, 1.0}) BoxFace(axis, side, n, out);
            return;
        case Shape::Cylinder:
            Lathe(
                n, [](double) { return 1.0; }, out);
            return;
        case Shape::Cone:
            Lathe(
                n, [](double y) { return (1.0 - y) * 0.5; }, out);
            return;
        case Shape::Torus:
            for (int i = 0; i < 4 * n; ++i)
                for (int j = 0; j < 2 * n; ++j) {
                    const double ring = 2.0 * std::numbers::pi * i / (4 * n);
                    const double tube = 2.0 * std::numbers::pi * j / (2 * n);
                    const double r = 1.0 + m_minor * std::cos(tube);
                    out.push_back(
                        {r * std::sin(ring), m_minor * std::sin(tube), r * std::cos(ring)});
                }
            return;
        case Shape::Plane:
            return;
    }
}

double Primitive::Distance(const Vec3& p) const {
    // Lengths here are of unit shapes, far from overflow, so a plain square root serves where
    // std::hypot's care would cost a seventh of a whole render.
    auto length2 = [](double a, double b) { return std::sqrt(a * a + b * b); };
    const double ring = length2(p.x, p.z);
    // Distance to a 2D box [-1, 1] in (ring or x, y) style: outside part plus inside part.
    auto box2 = [&length2](double a, double b) {
        const double qa = a - 1.0, qb = b - 1.0;
        const double outside = length2(std::max(qa, 0.0), std::max(qb, 0.0));
        return outside + std::min(std::max(qa, qb), 0.0);
    };
    switch (m_shape) {
        case Shape::Sphere:
            return Length(p) - 1.0;
        case Shape::Box: {
            const Vec3 q{std::abs(p.x) - 1.0, std::abs(p.y) - 1.0, std::abs(p.z) - 1.0};
            const Vec3 outside{std::max(q.x, 0.0), std::max(q.y, 0.0), std::max(q.z, 0.0)};
            return Length(outside) + std::min(std::max({q.x, q.y, q.z}), 0.0);
        }
        case Shape::Cylinder:
            return box2(ring, std::abs(p.y));
        case Shape::Cone:
            // The larger of the distances to the base plane and to the slanted side.
            return std::max({-1.0 - p.y, p.y - 1.0, (ring + 0.5 * p.y - 0.5) / std::sqrt(1.25)});
        case Shape::Torus:
            return length2(ring - 1.0, p.y) - m_minor;
        case Shape::Plane:
            return p.y;
    }
    return 1e30;
}
