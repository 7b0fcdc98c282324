#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/Primitive.h"
#include "render/SmoothBlend.h"
#include "render/Transform.h"

// One placed primitive. Several primitives may share an object id: together they are
// one colourable object (a puppy's four legs, say).
struct ScenePart {
    int id = 0;
    Primitive primitive;
    Transform toWorld;
    Transform toLocal;
    double tileU = 1.0;  // texture repeats across the part's surface
    double tileV = 1.0;
    Vec3 centre;              // world-space bounding sphere
    double radius = -1.0;     // negative: unbounded
    bool outlined = false;    // drawn with a line round it even where it meets its own object
    double minStretch = 1.0;  // local lengths times this never exceed world lengths
    int blend = -1;           // the smooth figure it is melted into, or none
};

// What the book knows about a colourable object: its name and its sound, either a
// synthesised effect or a phrase spoken by the voice.
struct SceneObjectInfo {
    int id = 0;
    std::string name;
    std::string effect;     // synthesised effect name, or empty
    std::string phrase;     // spoken text, or empty
    int line = 0;           // the scene file's line that first places it, 0 when unknown
    bool mayFloat = false;  // the scene means it to hang in the air (the sun, a cloud)
    bool mayBeCut = false;  // the scene means the frame to cut it (a tree at the edge)
    bool HasSound() const { return !effect.empty() || !phrase.empty(); }
};

// A directional light; `spread` is the sun's angular radius in degrees (soft shadows).
struct SceneLight {
    Vec3 towardLight{0.0, 1.0, 0.0};
    double power = 0.7;
    double spread = 4.0;
};

struct SceneCamera {
    Vec3 from{0.0, 2.0, -8.0};
    Vec3 to{0.0, 1.0, 0.0};
    double fovDegrees = 45.0;  // horizontal field of view
};

// A world-space hit on the nearest part.
struct SceneHit {
    double t = 0.0;
    int part = -1;
    Vec3 point;
    Vec3 normal;
    double u = 0.0;
    double v = 0.0;
};

// A scene to render: camera, lights, the parts and the objects they make up. Rays that
// hit nothing see the sky, itself a colourable object.
class Scene {
  public:
    std::string folder;   // the scene's folder name within the book
    std::string caption;  // the caption, also spoken as the voice-over
    SceneCamera camera;
    std::vector<SceneLight> lights;
    double ambient = 0.45;
    SceneObjectInfo sky{1, "sky", "", ""};
    std::vector<ScenePart> parts;
    std::vector<SceneObjectInfo> objects;  // one per id, sky included, in id order of first mention
    std::vector<SmoothBlend> blends;

    // Melts the last part added into the smooth figure named `name` (made on first use).
    void BlendLastPart(const std::string& name, double smoothness);
    // Places a part: computes its inverse transform and world bounding sphere.
    void AddPart(int id, const Primitive& primitive, const Transform& toWorld, double tileU,
                 double tileV);
    // The object with that id, or nullptr.
    const SceneObjectInfo* FindObject(int id) const;
    SceneObjectInfo& ObjectFor(int id);

    // The nearest hit; `among`, when given, lists the only parts worth trying, in part order.
    bool Intersect(const Ray& ray, double tMin, double tMax, SceneHit& hit,
                   const std::vector<int>* among = nullptr) const;
    // Texture coordinates (each in [0, 1), one tile) of the world point `point` near the
    // surface of part `part` whose world normal there is `normal`, as a hit would get them.
    void SurfaceUV(int part, const Vec3& point, const Vec3& normal, double& u, double& v) const;
    // True when anything lies on the ray between tMin and tMax.
    bool Occluded(const Ray& ray, double tMin, double tMax,
                  const std::vector<int>* among = nullptr) const;
    // The parts, in part order, that a ray from `origin` can meet within `reach` (in units of
    // its direction's length, which must be 1) when its direction lies within the angle whose
    // cosine is `cosAngle` of the unit vector `axis`. Rays that share an origin and a narrow
    // spread of directions test only these instead of every part.
    void PartsInCone(const Vec3& origin, const Vec3& axis, double cosAngle, double reach,
                     std::vector<int>& out) const;

  private:
    // The part's mapping of a point and normal in its own space, tiles applied.
    static void MapLocal(const ScenePart& part, const Vec3& localPoint, const Vec3& localNormal,
                         double& u, double& v);
    bool MayHit(const ScenePart& part, const Ray& ray, double tMin, double tMax) const;
    // The nearest hit among the listed parts (all parts when `among` is null). A hit on a
    // smooth figure comes back with `blendHit` set and no local normal.
    int Nearest(const Ray& ray, double tMin, double tMax, const std::vector<int>* among,
                double& best, LocalHit& bestLocal, bool& blendHit) const;
    // Tries the part's figure once per ray; true (with `best` and `bestPart` moved) on a
    // nearer hit.
    bool NearerBlendHit(const ScenePart& part, const Ray& ray, double tMin, std::uint64_t& tried,
                        double& best, int& bestPart) const;
};
