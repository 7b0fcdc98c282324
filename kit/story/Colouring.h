#pragma once
#include <cstdint>

#include "KitImage.h"

// Colours scene layers the way the program's region fill does, so ready-made slides
// and the contact sheet show exactly what a child's fill would give.
class Colouring {
  public:
    // For every pixel whose mapping id is `id`: texture pixel at (trunc(u / su),
    // trunc(v / sv)) with su = 256 / swatch width, sv = 256 / swatch height, each
    // channel times the shading light L = (b + g + r) / 3, shifted right by 8. Returns
    // the number of pixels coloured.
    static int FillObject(const KitImage& shading, const KitImage& mapping, int id,
                          const KitImage& swatch, KitImage& canvas);
    // A one-colour swatch.
    static KitImage Solid(std::uint32_t rgb);
    // Two-colour patterns: horizontal stripes, or dots on a ground.
    static KitImage Stripes(std::uint32_t a, std::uint32_t b, int count);
    static KitImage Dots(std::uint32_t ground, std::uint32_t dot, int count);
    // Error-diffusion dither to the screen's colour cube (8 red, 8 green, 4 blue levels).
    static KitImage DitherToCube(const KitImage& image);
};
