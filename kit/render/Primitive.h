#pragma once
#include <string>
#include <vector>

#include "render/Vec3.h"

// The shapes the renderer knows, each in its own unit-sized local space:
// sphere radius 1; box [-1, 1]^3; cylinder radius 1, y in [-1, 1], capped; cone with
// apex at y = 1 and a base of radius 1 at y = -1; torus in the xz plane with ring
// radius 1 and tube radius `minor`; plane y = 0, unbounded.
enum class Shape { Sphere, Box, Cylinder, Cone, Torus, Plane };

// How texture coordinates are laid on the surface.
enum class Mapping { Planar, Cylindrical, Spherical, Box };

// A local-space hit: ray parameter and the outward unit normal at the hit.
struct LocalHit {
    double t = 0.0;
    Vec3 normal;
};

class Primitive {
  public:
    Primitive() = default;
    Primitive(Shape shape, Mapping mapping, double minor = 0.35);

    static bool ParseShape(const std::string& name, Shape& shape);
    static bool ParseMapping(const std::string& name, Mapping& mapping);

    Shape GetShape() const { return m_shape; }
    // Nearest hit with tMin < t < tMax; the ray's direction need not be unit length.
    bool Intersect(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;
    // Radius of a sphere about the local origin holding the shape; negative when unbounded.
    double BoundingRadius() const;
    // Signed distance from a local point to the surface, negative inside; exact for the
    // sphere, box, cylinder and torus, a lower bound for the cone. 0 for the plane's y.
    double Distance(const Vec3& p) const;
    // True when the local point lies inside the shape or on its surface.
    bool Contains(const Vec3& p) const;
    // Points spread over the shape's surface, about `perUnit` apart per unit of local
    // length along each way round; none for the unbounded plane.
    void SurfacePoints(int perUnit, std::vector<Vec3>& out) const;
    // Texture coordinates in [0, 1) for a local surface point and its local normal.
    void MapUV(const Vec3& p, const Vec3& n, double& u, double& v) const;

  private:
    bool HitSphere(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;
    bool HitBox(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;
    bool HitCylinder(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;
    bool HitCone(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;
    bool HitTorus(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;
    bool HitPlane(const Ray& ray, double tMin, double tMax, LocalHit& hit) const;

    Shape m_shape = Shape::Sphere;
    Mapping m_mapping = Mapping::Spherical;
    double m_minor = 0.35;
};
