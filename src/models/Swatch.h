#pragma once
#include <array>

#include "models/CLayerView.h"
#include "platform/base/WinTypes.h"

// What a brush or a fill lays on a surface: a small texture picture stretched over the scene's
// texture coordinates (u × uScale across, v × vScale down; not repeated), or one solid
// colour. A value that views pixels it does not own: the texture must outlive it.
class Swatch {
  public:
    // A swatch without pixels: every texture coordinate falls outside it.
    Swatch() = default;
    Swatch(const CLayerView& texture, float uScale, float vScale);
    // One colour over every texture coordinate.
    static Swatch Solid(BYTE red, BYTE green, BYTE blue);

    bool HasPixels() const { return m_solid || m_texture.IsValid(); }
    int Width() const { return m_solid ? 1 : m_texture.Width(); }
    int Height() const { return m_solid ? 1 : m_texture.Height(); }
    float UScale() const { return m_uScale; }
    float VScale() const { return m_vScale; }
    // Blue, green and red of texel (column, row); the caller keeps inside Width × Height.
    const BYTE* Texel(int column, int row) const {
        return m_solid ? m_colour.data() : m_texture.At(column, row);
    }

    bool operator==(const Swatch& other) const = default;

  private:
    CLayerView m_texture;
    float m_uScale = 0.0f;
    float m_vScale = 0.0f;
    bool m_solid = false;
    std::array<BYTE, 3> m_colour{};
};
