#include "render/SceneLayers.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t Grey(int level) {
    const auto g = static_cast<std::uint32_t>(std::clamp(level, 0, 255));
    return (g << 16) | (g << 8) | g;
}

int Mix(double from, double to, double amount) {
    return static_cast<int>(std::lround(from + (to - from) * amount));
}

}  // namespace

KitImage SceneLayers::Shading(const RenderedScene& scene) {
    KitImage image(scene.width, scene.height);
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x) image.Set(x, y, Grey(scene.light[scene.Index(x, y)]));
    return image;
}

KitImage SceneLayers::Mapping(const RenderedScene& scene) {
    KitImage image(scene.width, scene.height);
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x) {
            const std::size_t i = scene.Index(x, y);
            image.Set(
                x, y,
                (std::uint32_t{scene.u[i]} << 16) | (std::uint32_t{scene.v[i]} << 8) | scene.id[i]);
        }
    return image;
}

KitGreyImage SceneLayers::Footprint(const RenderedScene& scene) {
    return KitGreyImage(scene.width, scene.height, scene.footprint);
}

KitImage SceneLayers::Uncoloured(const RenderedScene& scene) {
    // The light is compressed into the bright half so the page reads as paper with a
    // hint of form; the outlines are laid over it at full strength.
    KitImage image(scene.width, scene.height);
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x) {
            const std::size_t i = scene.Index(x, y);
            const double paper = 255.0 - (255.0 - scene.surface[i]) * 0.42;
            image.Set(x, y, Grey(Mix(paper, 36.0, scene.outline[i] / 255.0)));
        }
    return image;
}

KitImage SceneLayers::Print(const RenderedScene& scene) {
    KitImage image(scene.width, scene.height);
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x)
            image.Set(x, y, Grey(Mix(255.0, 0.0, scene.outline[scene.Index(x, y)] / 255.0)));
    return image;
}

KitImage SceneLayers::Reduce(const KitImage& source, int width, int height) {
    KitImage image(width, height);
    const double fx = static_cast<double>(source.Width()) / width;
    const double fy = static_cast<double>(source.Height()) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(x * fx),
                      x1 = std::max(x0 + 1, static_cast<int>((x + 1) * fx));
            const int y0 = static_cast<int>(y * fy),
                      y1 = std::max(y0 + 1, static_cast<int>((y + 1) * fy));
            double sum[3] = {0.0, 0.0, 0.0};
            int count = 0;
            for (int sy = y0; sy < std::min(y1, source.Height()); ++sy)
                for (int sx = x0; sx < std::min(x1, source.Width()); ++sx) {
                    const std::uint32_t c = source.Get(sx, sy);
                    sum[0] += (c >> 16) & 0xFF;
                    sum[1] += (c >> 8) & 0xFF;
                    sum[2] += c & 0xFF;
                    ++count;
                }
            count = std::max(count, 1);
            image.Set(x, y,
                      (static_cast<std::uint32_t>(std::lround(sum[0] / count)) << 16) |
                          (static_cast<std::uint32_t>(std::lround(sum[1] / count)) << 8) |
                          static_cast<std::uint32_t>(std::lround(sum[2] / count)));
        }
    return image;
}
