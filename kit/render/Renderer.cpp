#include "render/Renderer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <numbers>
#include <thread>

namespace {

constexpr int kSky = -1;  // part index of a sample that sees the sky

// Runs body(i) for i in [0, count) on `threads` threads; each index is independent.
void ParallelFor(int count, int threads, const std::function<void(int)>& body) {
    std::atomic<int> next{0};
    auto worker = [&]() {
        for (int i = next++; i < count; i = next++) body(i);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool) thread.join();
}

// A hash of the pixel and a stream number to a number in [0, 1): the same pixel always
// gets the same random numbers, whichever thread renders it.
double Random01(std::uint32_t seed, int x, int y, int stream) {
    std::uint64_t h = (static_cast<std::uint64_t>(seed) << 32) ^
                      (static_cast<std::uint64_t>(x) * 0x9E3779B1u) ^
                      (static_cast<std::uint64_t>(y) * 0x85EBCA77u << 16) ^
                      (static_cast<std::uint64_t>(stream) << 48);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

// Two unit vectors perpendicular to n and to each other.
void Basis(const Vec3& n, Vec3& a, Vec3& b) {
    const Vec3 helper = std::abs(n.x) < 0.9 ? Vec3{1.0, 0.0, 0.0} : Vec3{0.0, 1.0, 0.0};
    a = Normalize(Cross(helper, n));
    b = Cross(n, a);
}

// Point i of k on the unit disk: a golden-angle spiral, turned and pushed outwards by
// the pixel's own random numbers so that neighbouring pixels sample differently.
void DiskPoint(int i, int k, double turn, double jitter, double& dx, double& dy) {
    const double r = std::sqrt((i + jitter) / k);
    const double angle = i * 2.39996322972865332 + turn * 2.0 * std::numbers::pi;
    dx = r * std::cos(angle);
    dy = r * std::sin(angle);
}

// The camera's frame, worked out once per render: the ray through any point of the picture.
class CameraFrame {
  public:
    CameraFrame(const SceneCamera& cam, int width, int height)
        : m_from(cam.from),
          m_forward(Normalize(cam.to - cam.from)),
          m_right(Normalize(Cross(Vec3{0.0, 1.0, 0.0}, m_forward))),
          m_up(Cross(m_forward, m_right)),
          m_halfWidth(std::tan(cam.fovDegrees * std::numbers::pi / 360.0)),
          m_halfHeight(m_halfWidth * height / width),
          m_width(width),
          m_height(height) {}

    // The ray through (px, py) in pixel units.
    Ray Through(double px, double py) const {
        const double sx = (px / m_width) * 2.0 - 1.0;
        const double sy = 1.0 - (py / m_height) * 2.0;
        return Ray{m_from, Normalize(m_forward + m_right * (sx * m_halfWidth) +
                                     m_up * (sy * m_halfHeight))};
    }

  private:
    Vec3 m_from, m_forward, m_right, m_up;
    double m_halfWidth, m_halfHeight;
    int m_width, m_height;
};

// The cosine of the widest angle between `axis` and the rays through the corner samples
// of the pixels from (left, top) to (right, bottom), right and bottom excluded: the sample
// points form a rectangle on the picture, and every ray through it lies within that angle.
double SampleCone(const CameraFrame& camera, const Vec3& axis, int left, int top, int right,
                  int bottom, int grid) {
    double cosAngle = 1.0;
    for (double y : {top + 0.5 / grid, bottom - 0.5 / grid})
        for (double x : {left + 0.5 / grid, right - 0.5 / grid})
            cosAngle = std::min(cosAngle, Dot(axis, camera.Through(x, y).dir));
    return cosAngle;
}

}  // namespace

// The primary samples: grid × grid per pixel, rows top-down.
struct Renderer::Samples {
    int width = 0;  // in samples
    int height = 0;
    int grid = 1;
    std::vector<int> part;  // kSky or the part index
    std::vector<float> t;
    std::vector<float> u, v;
    std::vector<Vec3> normal;
    std::vector<Vec3> point;
    std::vector<float> diffuse;  // per light: power × max(0, N·L), lights interleaved
    int lights = 0;

    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
    std::size_t Centre(int px, int py) const {
        return Index(px * grid + grid / 2, py * grid + grid / 2);
    }
};

int Renderer::Threads() const {
    if (m_settings.threads > 0) return m_settings.threads;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
}

Ray Renderer::CameraRay(const Scene& scene, double px, double py) const {
    return CameraFrame(scene.camera, m_settings.width, m_settings.height).Through(px, py);
}

RenderedScene Renderer::Render(const Scene& scene) const {
    Samples samples;
    samples.grid = std::max(1, m_settings.grid | 1);
    samples.width = m_settings.width * samples.grid;
    samples.height = m_settings.height * samples.grid;
    samples.lights = static_cast<int>(scene.lights.size());
    TraceSamples(scene, samples);

    std::vector<float> visibility, occlusion;
    TraceLight(scene, samples, visibility, occlusion);
    Smooth(samples, visibility, samples.lights);
    Smooth(samples, occlusion, 1);

    RenderedScene out;
    out.width = m_settings.width;
    out.height = m_settings.height;
    const std::size_t pixels = static_cast<std::size_t>(out.width) * out.height;
    out.id.assign(pixels, 0);
    out.u.assign(pixels, 0);
    out.v.assign(pixels, 0);
    out.light.assign(pixels, 0);
    out.surface.assign(pixels, 0);
    out.outline.assign(pixels, 0);
    out.footprint.assign(pixels, 0);
    Resolve(scene, samples, visibility, occlusion, out);
    Outline(scene, samples, out);
    return out;
}

void Renderer::TraceSamples(const Scene& scene, Samples& s) const {
    const std::size_t count = static_cast<std::size_t>(s.width) * s.height;
    s.part.assign(count, kSky);
    s.t.assign(count, 0.0f);
    s.u.assign(count, 0.0f);
    s.v.assign(count, 0.0f);
    s.normal.assign(count, Vec3{});
    s.point.assign(count, Vec3{});
    s.diffuse.assign(count * s.lights, 0.0f);
    const CameraFrame camera(scene.camera, m_settings.width, m_settings.height);
    auto trace = [&](int sx, int sy, const std::vector<int>& among) {
        const std::size_t i = s.Index(sx, sy);
        const Ray ray = camera.Through((sx + 0.5) / s.grid, (sy + 0.5) / s.grid);
        SceneHit hit;
        if (!scene.Intersect(ray, 1e-6, 1e30, hit, &among)) {
            s.u[i] = static_cast<float>((sx + 0.5) / s.width);
            s.v[i] = static_cast<float>((sy + 0.5) / s.height);
            return;
        }
        // Surfaces are lit from the side the camera sees.
        const Vec3 n = Dot(hit.normal, ray.dir) > 0.0 ? -hit.normal : hit.normal;
        s.part[i] = hit.part;
        s.t[i] = static_cast<float>(hit.t);
        s.u[i] = static_cast<float>(hit.u);
        s.v[i] = static_cast<float>(hit.v);
        s.normal[i] = n;
        s.point[i] = hit.point;
        for (int l = 0; l < s.lights; ++l) {
            const SceneLight& light = scene.lights[l];
            s.diffuse[i * s.lights + l] =
                static_cast<float>(light.power * std::max(0.0, Dot(n, light.towardLight)));
        }
    };
    // The samples of a tile of pixels share the camera's origin and lie within a narrow
    // cone, so only the parts inside that cone are tried for them.
    constexpr int kTile = 4;
    const int g = s.grid, w = m_settings.width, h = m_settings.height;
    ParallelFor((h + kTile - 1) / kTile, Threads(), [&](int tileRow) {
        std::vector<int> among;
        const int top = tileRow * kTile, bottom = std::min(h, top + kTile);
        for (int left = 0; left < w; left += kTile) {
            const int right = std::min(w, left + kTile);
            const Vec3 axis = camera.Through((left + right) / 2.0, (top + bottom) / 2.0).dir;
            scene.PartsInCone(scene.camera.from, axis,
                              SampleCone(camera, axis, left, top, right, bottom, g), 1e30, among);
            for (int sy = top * g; sy < bottom * g; ++sy)
                for (int sx = left * g; sx < right * g; ++sx) trace(sx, sy, among);
        }
    });
}

void Renderer::TraceLight(const Scene& scene, const Samples& s, std::vector<float>& visibility,
                          std::vector<float>& occlusion) const {
    const int w = m_settings.width, h = m_settings.height;
    visibility.assign(static_cast<std::size_t>(w) * h * s.lights, 1.0f);
    occlusion.assign(static_cast<std::size_t>(w) * h, 1.0f);
    ParallelFor(h, Threads(), [&](int py) {
        std::vector<int> among;
        for (int px = 0; px < w; ++px) {
            const std::size_t c = s.Centre(px, py);
            if (s.part[c] == kSky) continue;
            const std::size_t pixel = static_cast<std::size_t>(py) * w + px;
            const Vec3 n = s.normal[c];
            const Vec3 origin = s.point[c] + n * (1e-4 * (1.0 + s.t[c]));
            for (int l = 0; l < s.lights; ++l)
                visibility[pixel * s.lights + l] =
                    s.diffuse[c * s.lights + l] <= 0.0f
                        ? 0.0f
                        : SunVisibility(scene, l, origin, px, py, among);
            occlusion[pixel] = OpenSky(scene, origin, n, px, py, among);
        }
    });
}

// Every ray of a pixel leaves one point: the shadow rays within the sun's spread of its
// direction, the occlusion rays into the hemisphere over the surface and no further than
// the reach. Only the parts those cones can meet (`among`, refilled here) are tried.
float Renderer::SunVisibility(const Scene& scene, int l, const Vec3& origin, int px, int py,
                              std::vector<int>& among) const {
    const SceneLight& light = scene.lights[l];
    const double spread = std::tan(light.spread * std::numbers::pi / 180.0);
    scene.PartsInCone(origin, light.towardLight, 1.0 / std::hypot(1.0, spread), 1e30, among);
    Vec3 a, b;
    Basis(light.towardLight, a, b);
    const std::uint32_t seed = m_settings.seed;
    const double turn = Random01(seed, px, py, 2 * l), jitter = Random01(seed, px, py, 2 * l + 1);
    int open = 0;
    for (int i = 0; i < m_settings.shadowRays; ++i) {
        double dx = 0.0, dy = 0.0;
        DiskPoint(i, m_settings.shadowRays, turn, jitter, dx, dy);
        const Vec3 dir = Normalize(light.towardLight + a * (dx * spread) + b * (dy * spread));
        open += scene.Occluded(Ray{origin, dir}, 0.0, 1e30, &among) ? 0 : 1;
    }
    return static_cast<float>(open) / std::max(1, m_settings.shadowRays);
}

float Renderer::OpenSky(const Scene& scene, const Vec3& origin, const Vec3& n, int px, int py,
                        std::vector<int>& among) const {
    const double reach = m_settings.occlusionReach;
    scene.PartsInCone(origin, n, 0.0, reach, among);
    Vec3 a, b;
    Basis(n, a, b);
    const double turn = Random01(m_settings.seed, px, py, 100),
                 jitter = Random01(m_settings.seed, px, py, 101);
    int blocked = 0;
    for (int i = 0; i < m_settings.occlusionRays; ++i) {
        double dx = 0.0, dy = 0.0;
        DiskPoint(i, m_settings.occlusionRays, turn, jitter, dx, dy);
        // Cosine-weighted: points on the disk lifted onto the hemisphere.
        const double dz = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
        const Vec3 dir = a * dx + b * dy + n * dz;
        blocked += scene.Occluded(Ray{origin, dir}, 0.0, reach, &among) ? 1 : 0;
    }
    return 1.0f - static_cast<float>(blocked) / std::max(1, m_settings.occlusionRays);
}

void Renderer::Smooth(const Samples& s, std::vector<float>& values, int channels) const {
    // A cross-bilateral blur: neighbours count only when they show the same part at a
    // similar depth facing a similar way, so shadows stay sharp at object borders.
    const int w = m_settings.width, h = m_settings.height, radius = 3;
    std::vector<double> weightOf((2 * radius + 1) * (2 * radius + 1));
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            weightOf[(dy + radius) * (2 * radius + 1) + dx + radius] =
                std::exp(-(dx * dx + dy * dy) / 8.0);
    std::vector<float> out(values);
    ParallelFor(h, Threads(), [&](int py) {
        std::vector<double> sum;
        for (int px = 0; px < w; ++px) {
            const std::size_t c = s.Centre(px, py);
            if (s.part[c] == kSky) continue;
            sum.assign(channels, 0.0);
            double weights = 0.0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int qx = px + dx, qy = py + dy;
                    if (qx < 0 || qy < 0 || qx >= w || qy >= h) continue;
                    const std::size_t q = s.Centre(qx, qy);
                    if (s.part[q] != s.part[c] || std::abs(s.t[q] - s.t[c]) > 0.05f * s.t[c] ||
                        Dot(s.normal[q], s.normal[c]) < 0.85)
                        continue;
                    const double weight = weightOf[(dy + radius) * (2 * radius + 1) + dx + radius];
                    const std::size_t pixel = static_cast<std::size_t>(qy) * w + qx;
                    for (int k = 0; k < channels; ++k)
                        sum[k] += weight * values[pixel * channels + k];
                    weights += weight;
                }
            const std::size_t pixel = static_cast<std::size_t>(py) * w + px;
            for (int k = 0; k < channels; ++k)
                out[pixel * channels + k] = static_cast<float>(sum[k] / weights);
        }
    });
    values.swap(out);
}

void Renderer::Resolve(const Scene& scene, const Samples& s, const std::vector<float>& visibility,
                       const std::vector<float>& occlusion, RenderedScene& out) const {
    double fullLight = scene.ambient;
    for (const SceneLight& light : scene.lights) fullLight += light.power;
    const int w = m_settings.width, g = s.grid;
    const CameraFrame camera(scene.camera, m_settings.width, m_settings.height);
    ParallelFor(m_settings.height, Threads(), [&](int py) {
        for (int px = 0; px < w; ++px) {
            const std::size_t c = s.Centre(px, py);
            const std::size_t pixel = out.Index(px, py);
            const int part = s.part[c];
            out.id[pixel] =
                static_cast<std::uint8_t>(part == kSky ? scene.sky.id : scene.parts[part].id);
            // Samples of the same object; u and v that straddle a wrap seam are
            // unwrapped first so the average stays on one side of it.
            std::vector<std::size_t> same;
            for (int j = 0; j < g; ++j)
                for (int i = 0; i < g; ++i) {
                    const std::size_t q = s.Index(px * g + i, py * g + j);
                    const int qpart = s.part[q];
                    const int qid = qpart == kSky ? scene.sky.id : scene.parts[qpart].id;
                    if (qid == out.id[pixel] && (qpart == kSky) == (part == kSky))
                        same.push_back(q);
                }
            auto average = [&](const std::vector<float>& channel) {
                const float ref = channel[c];
                double sum = 0.0;
                for (std::size_t q : same) {
                    double value = channel[q];
                    if (value - ref > 0.5)
                        value -= 1.0;
                    else if (ref - value > 0.5)
                        value += 1.0;
                    sum += value;
                }
                double mean = sum / same.size();
                mean -= std::floor(mean);
                return static_cast<std::uint8_t>(std::min(255.0, mean * 256.0));
            };
            out.u[pixel] = average(s.u);
            out.v[pixel] = average(s.v);
            if (part != kSky)
                out.footprint[pixel] = Footprint(scene, s, c, camera.Through(px + 1.5, py + 0.5),
                                                 camera.Through(px + 0.5, py + 1.5));
            double light = 0.0;
            if (part == kSky) {
                // A gentle gradient: a little deeper overhead, bright at the horizon.
                light = 0.86 + 0.14 * (py + 0.5) / m_settings.height;
            } else {
                for (std::size_t q : same) {
                    double sample = scene.ambient * occlusion[pixel];
                    for (int l = 0; l < s.lights; ++l)
                        sample += s.diffuse[q * s.lights + l] * visibility[pixel * s.lights + l];
                    light += sample;
                }
                light = std::pow(std::clamp(light / same.size() / fullLight, 0.0, 1.0), 0.8);
            }
            out.surface[pixel] = static_cast<std::uint8_t>(std::lround(light * 255.0));
        }
    });
}

// The rays through the neighbouring pixels' centres meet the surface's tangent plane at the
// centre's hit; the texture coordinates are read a small fraction of the way towards those
// points and scaled up, so a far surface that moves over whole tiles from pixel to pixel
// is measured as far, where comparing the neighbours' wrapped coordinates would not be.
std::uint8_t Renderer::Footprint(const Scene& scene, const Samples& s, std::size_t centre,
                                 const Ray& toRight, const Ray& toBelow) const {
    constexpr double kFraction = 1.0 / 1024.0;
    const Vec3 point = s.point[centre];
    const Vec3 normal = s.normal[centre];
    double u0 = 0.0, v0 = 0.0;
    scene.SurfaceUV(s.part[centre], point, normal, u0, v0);
    double widest = 0.0;  // in tiles
    for (const Ray* neighbour : {&toRight, &toBelow}) {
        const Ray& ray = *neighbour;
        const double facing = Dot(ray.dir, normal);
        const double t = std::abs(facing) < 1e-12 ? -1.0 : Dot(point - ray.origin, normal) / facing;
        if (t <= 0.0) return 255;  // the neighbour's ray runs along or away from the surface
        const Vec3 towards = (ray.At(t) - point) * kFraction;
        double u1 = 0.0, v1 = 0.0;
        scene.SurfaceUV(s.part[centre], point + towards, normal, u1, v1);
        for (const double step : {u1 - u0, v1 - v0})
            widest = std::max(widest, std::abs(step - std::round(step)) / kFraction);
    }
    return static_cast<std::uint8_t>(std::min(255.0, std::round(widest * 256.0)));
}

void Renderer::Outline(const Scene& scene, const Samples& s, RenderedScene& out) const {
    // A sample is on a line when a sample within the radius shows another object, or
    // the same object at a clearly different depth and angle (where an object passes
    // in front of itself).
    const int radius = static_cast<int>(std::ceil(m_settings.outlineRadius));
    const double r2 = m_settings.outlineRadius * m_settings.outlineRadius;
    const int g = s.grid, w = m_settings.width;
    std::vector<int> object(s.part.size());
    for (std::size_t i = 0; i < object.size(); ++i)
        object[i] = s.part[i] == kSky ? -1 : scene.parts[s.part[i]].id;
    struct Offset {
        int dx, dy;
    };
    std::vector<Offset> disk;  // the neighbours within the radius
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= r2 && (dx != 0 || dy != 0)) disk.push_back({dx, dy});
    auto isEdge = [&](std::size_t a, std::size_t b) {
        const int pa = s.part[a], pb = s.part[b];
        if (pa == kSky || pb == kSky) return pa != pb;
        if (object[a] != object[b]) return true;
        if (pa != pb && (scene.parts[pa].outlined || scene.parts[pb].outlined)) return true;
        return std::abs(s.t[a] - s.t[b]) > 0.08f * std::min(s.t[a], s.t[b]) &&
               Dot(s.normal[a], s.normal[b]) < 0.8;
    };
    auto onLine = [&](int sx, int sy) {
        const std::size_t a = s.Index(sx, sy);
        const bool inside =
            sx >= radius && sy >= radius && sx + radius < s.width && sy + radius < s.height;
        for (const Offset& o : disk) {
            const int qx = sx + o.dx, qy = sy + o.dy;
            if (!inside && (qx < 0 || qy < 0 || qx >= s.width || qy >= s.height)) continue;
            if (isEdge(a, s.Index(qx, qy))) return true;
        }
        return false;
    };
    // No sample of a pixel is on a line when every sample within reach of them shows one
    // part at depths closer together than the depth test tells apart: then no pair passes
    // it, whatever their angles. Most pixels are such and skip the pairwise search.
    auto plainPixel = [&](int px, int py) {
        const int x0 = px * g - radius, y0 = py * g - radius, x1 = px * g + g + radius,
                  y1 = py * g + g + radius;
        if (x0 < 0 || y0 < 0 || x1 > s.width || y1 > s.height) return false;
        const int part = s.part[s.Index(x0, y0)];
        float nearest = s.t[s.Index(x0, y0)], farthest = nearest;
        for (int y = y0; y < y1; ++y) {
            const std::size_t row = s.Index(0, y);
            for (int x = x0; x < x1; ++x) {
                if (s.part[row + x] != part) return false;
                nearest = std::min(nearest, s.t[row + x]);
                farthest = std::max(farthest, s.t[row + x]);
            }
        }
        return part == kSky || farthest - nearest <= 0.08f * nearest;
    };
    ParallelFor(m_settings.height, Threads(), [&](int py) {
        for (int px = 0; px < w; ++px) {
            int marked = 0;
            if (!plainPixel(px, py))
                for (int j = 0; j < g; ++j)
                    for (int i = 0; i < g; ++i) marked += onLine(px * g + i, py * g + j) ? 1 : 0;
            const std::size_t pixel = out.Index(px, py);
            const double coverage = static_cast<double>(marked) / (g * g);
            out.outline[pixel] = static_cast<std::uint8_t>(std::lround(coverage * 255.0));
            const double lit = out.surface[pixel];
            out.light[pixel] = static_cast<std::uint8_t>(
                std::lround(lit + (m_settings.outlineLight - lit) * coverage));
        }
    });
}
