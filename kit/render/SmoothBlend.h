#pragma once
#include <string>
#include <vector>

#include "render/Vec3.h"

struct ScenePart;

// Parts melted into one smooth figure: their signed distances joined by a smooth union,
// found by sphere tracing. Each surface point belongs to the part nearest to it, so the
// figure keeps its parts' object ids (with crisp borders), texture mappings and light.
class SmoothBlend {
  public:
    SmoothBlend(std::string name, double smoothness)
        : m_name(std::move(name)), m_smooth(smoothness) {}

    const std::string& Name() const { return m_name; }
    // Adds the part (already placed) at index `index` of `parts`.
    void Add(const std::vector<ScenePart>& parts, int index);
    const std::vector<int>& Parts() const { return m_parts; }

    // Signed distance (a lower bound outside) from a world point to the figure; `owner`,
    // when given, receives the index of the nearest part.
    double Distance(const std::vector<ScenePart>& parts, const Vec3& p, int* owner = nullptr) const;
    // The nearest surface crossing with tMin < t < tMax, entering the figure.
    bool Trace(const std::vector<ScenePart>& parts, const Ray& ray, double tMin, double tMax,
               double& t) const;
    // The outward unit normal at a surface point.
    Vec3 Normal(const std::vector<ScenePart>& parts, const Vec3& p) const;

  private:
    bool MayHit(const Ray& ray, double tMin, double tMax, double& from, double& to) const;

    std::string m_name;
    double m_smooth;
    std::vector<int> m_parts;
    Vec3 m_centre;
    double m_radius = -1.0;
};
