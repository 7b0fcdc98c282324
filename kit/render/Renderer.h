#pragma once
#include <cstdint>

#include "render/RenderedScene.h"
#include "render/Scene.h"

// Renders a scene into its per-pixel ids, texture coordinates and light. Every pixel
// is sampled on a grid × grid pattern; the pixel's id is the centre sample's, and u, v
// and light are averaged over the samples of that id only, so ids never blend at
// borders. Soft shadows and ambient occlusion are traced once per pixel and smoothed
// within each object. The result does not depend on the number of threads.
class Renderer {
  public:
    struct Settings {
        int width = 398;
        int height = 264;
        int grid = 3;            // odd, so a sample sits at the pixel's centre
        int shadowRays = 6;      // per light and pixel
        int occlusionRays = 10;  // per pixel
        double occlusionReach = 1.2;
        double outlineRadius = 3.0;  // in samples; the line is about 2 × radius / grid pixels wide
        int outlineLight = 28;       // light level under a full outline
        int threads = 0;             // 0: one per core
        std::uint32_t seed = 1;
    };

    Renderer() = default;
    explicit Renderer(const Settings& settings) : m_settings(settings) {}

    RenderedScene Render(const Scene& scene) const;
    // The primary ray through a point given in pixel units (0..width, 0..height).
    Ray CameraRay(const Scene& scene, double px, double py) const;

  private:
    struct Samples;
    void TraceSamples(const Scene& scene, Samples& samples) const;
    void TraceLight(const Scene& scene, const Samples& samples, std::vector<float>& visibility,
                    std::vector<float>& occlusion) const;
    // The share of light `l`'s shadow rays from `origin` that reach the sky.
    float SunVisibility(const Scene& scene, int l, const Vec3& origin, int px, int py,
                        std::vector<int>& among) const;
    // The share of occlusion rays from `origin` over the surface with normal `n` that
    // meet nothing within the reach.
    float OpenSky(const Scene& scene, const Vec3& origin, const Vec3& n, int px, int py,
                  std::vector<int>& among) const;
    void Smooth(const Samples& samples, std::vector<float>& values, int channels) const;
    void Resolve(const Scene& scene, const Samples& samples, const std::vector<float>& visibility,
                 const std::vector<float>& occlusion, RenderedScene& out) const;
    void Outline(const Scene& scene, const Samples& samples, RenderedScene& out) const;
    // The footprint of the pixel whose centre sample is `centre`, from the rays through the
    // centres of its right and lower neighbours.
    std::uint8_t Footprint(const Scene& scene, const Samples& samples, std::size_t centre,
                           const Ray& toRight, const Ray& toBelow) const;
    int Threads() const;

    Settings m_settings;
};
