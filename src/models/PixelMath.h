#pragma once
// The arithmetic of colouring one pixel, shared by the per-pixel operations and the
// bulk fill and stamp loops so that both give the same bytes.
#include <algorithm>
#include <cmath>

#include "platform/base/WinTypes.h"

namespace PixelMath {

// Light level of a shading pixel (blue, green, red): their integer mean, 0..255.
inline int LightLevel(const BYTE* shading) {
    return (shading[0] + shading[1] + shading[2]) / 3;
}

// A swatch channel darkened by the light level.
inline BYTE Shade(BYTE texel, int light) {
    return static_cast<BYTE>((texel * light) >> 8);
}

// New channel value when `paint` is laid over `current` with strength `alpha`:
// exactly 1.0 replaces, anything else mixes and truncates.
inline BYTE Blend(BYTE current, BYTE paint, float alpha) {
    if (alpha == 1.0f) return paint;
    const float mixed =
        static_cast<float>(current) * (1.0f - alpha) + static_cast<float>(paint) * alpha;
    if (!(mixed >= 0.0f)) return 0;  // also catches NaN from a nonsense alpha
    if (mixed >= 255.0f) return 255;
    return static_cast<BYTE>(mixed);
}

// Swatch column (or row) for a mapping coordinate: trunc(coord / scale), or -1 when it
// falls outside a swatch of `extent` pixels (swatches are not repeated).
inline int TexelIndex(int coord, float scale, int extent) {
    const float position = static_cast<float>(coord) / scale;
    if (!(position >= 0.0f) || !(position < static_cast<float>(extent))) return -1;
    return static_cast<int>(position);
}

// Swatch columns (or rows) [first, last] a pixel's footprint covers; both -1 when its
// coordinate falls outside the swatch.
struct TexelSpan {
    int first = -1;
    int last = -1;
};

// The texels around coordinate `coord` for a pixel stepping `spanCoords` coordinates to its
// neighbours: a box that many coordinates wide in texels, centred where the coordinate
// falls and cut at the swatch's edges; the coordinate's own texel while the box is narrower
// than two texels.
inline TexelSpan SpanOf(int coord, int spanCoords, float scale, int extent) {
    const int texel = TexelIndex(coord, scale, extent);
    if (texel < 0) return {};
    const float texels = static_cast<float>(spanCoords) / scale;
    if (!(texels >= 2.0f)) return {texel, texel};
    const int width = texels < static_cast<float>(extent) ? static_cast<int>(texels) : extent;
    const float position = static_cast<float>(coord) / scale;
    const int first =
        static_cast<int>(std::floor(position + 0.5f - static_cast<float>(width) / 2.0f));
    return {std::max(first, 0), std::min(first + width - 1, extent - 1)};
}

// Mean of `count` summed channel values, rounded to the nearest.
inline BYTE Mean(unsigned sum, unsigned count) {
    return static_cast<BYTE>((sum + count / 2) / count);
}

}  // namespace PixelMath
