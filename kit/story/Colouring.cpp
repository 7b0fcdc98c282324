#include "story/Colouring.h"

#include <algorithm>
#include <cmath>
#include <vector>

int Colouring::FillObject(const KitImage& shading, const KitImage& mapping, int id,
                          const KitImage& swatch, KitImage& canvas) {
    const float scaleU = 256.0f / static_cast<float>(swatch.Width());
    const float scaleV = 256.0f / static_cast<float>(swatch.Height());
    int painted = 0;
    for (int y = 0; y < mapping.Height(); ++y)
        for (int x = 0; x < mapping.Width(); ++x) {
            const std::uint32_t map = mapping.Get(x, y);
            if (static_cast<int>(map & 0xFF) != id) continue;
            const int tx = static_cast<int>(static_cast<float>((map >> 16) & 0xFF) / scaleU);
            const int ty = static_cast<int>(static_cast<float>((map >> 8) & 0xFF) / scaleV);
            if (tx < 0 || ty < 0 || tx >= swatch.Width() || ty >= swatch.Height()) continue;
            const std::uint32_t shade = shading.Get(x, y);
            const std::uint32_t light =
                (((shade >> 16) & 0xFF) + ((shade >> 8) & 0xFF) + (shade & 0xFF)) / 3;
            const std::uint32_t t = swatch.Get(tx, ty);
            const std::uint32_t r = (((t >> 16) & 0xFF) * light) >> 8;
            const std::uint32_t g = (((t >> 8) & 0xFF) * light) >> 8;
            const std::uint32_t b = ((t & 0xFF) * light) >> 8;
            canvas.Set(x, y, (r << 16) | (g << 8) | b);
            ++painted;
        }
    return painted;
}

KitImage Colouring::Solid(std::uint32_t rgb) {
    return KitImage(8, 8, rgb);
}

KitImage Colouring::Stripes(std::uint32_t a, std::uint32_t b, int count) {
    KitImage image(64, 64, a);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((y * count * 2 / 64) % 2 == 1) image.Set(x, y, b);
    return image;
}

KitImage Colouring::Dots(std::uint32_t ground, std::uint32_t dot, int count) {
    KitImage image(64, 64, ground);
    const double cell = 64.0 / count;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double cx = std::fmod(x + 0.5, cell) - cell / 2,
                         cy = std::fmod(y + 0.5, cell) - cell / 2;
            if (cx * cx + cy * cy < cell * cell * 0.09) image.Set(x, y, dot);
        }
    return image;
}

KitImage Colouring::DitherToCube(const KitImage& image) {
    // Floyd-Steinberg over the three channels; red and green have 8 levels at
    // trunc(k × 36.5), blue 4 levels at k × 85.
    const int w = image.Width(), h = image.Height();
    std::vector<float> error(static_cast<std::size_t>(w + 2) * 2 * 3, 0.0f);
    auto err = [&](int row, int x, int c) -> float& {
        return error[((row & 1) * (w + 2) + x + 1) * 3 + c];
    };
    auto quantise = [](float value, int channel) {
        if (channel == 0) {
            const int k = std::clamp(static_cast<int>(std::lround(value / 85.0f)), 0, 3);
            return static_cast<float>(k * 85);
        }
        const int k = std::clamp(static_cast<int>(std::lround(value / 36.5f)), 0, 7);
        return static_cast<float>(static_cast<int>(k * 36.5));
    };
    KitImage out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = -1; x <= w; ++x)
            for (int c = 0; c < 3; ++c) err(y + 1, x, c) = 0.0f;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t px = image.Get(x, y);
            std::uint32_t result = 0;
            for (int c = 0; c < 3; ++c) {  // c = 0 blue, 1 green, 2 red
                const float want = static_cast<float>((px >> (8 * c)) & 0xFF) + err(y, x, c);
                const float got = quantise(want, c);
                const float e = want - got;
                err(y, x + 1, c) += e * 7.0f / 16.0f;
                err(y + 1, x - 1, c) += e * 3.0f / 16.0f;
                err(y + 1, x, c) += e * 5.0f / 16.0f;
                err(y + 1, x + 1, c) += e * 1.0f / 16.0f;
                result |= static_cast<std::uint32_t>(got) << (8 * c);
            }
            out.Set(x, y, result);
        }
    }
    return out;
}
