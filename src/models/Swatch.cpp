#include "models/Swatch.h"

Swatch::Swatch(const CLayerView& texture, float uScale, float vScale)
    : m_texture(texture), m_uScale(uScale), m_vScale(vScale) {}

// A 1 × 1 swatch scaled so that every coordinate 0..255 lands on its one texel.
Swatch Swatch::Solid(BYTE red, BYTE green, BYTE blue) {
    Swatch solid;
    solid.m_uScale = 256.0f;
    solid.m_vScale = 256.0f;
    solid.m_solid = true;
    solid.m_colour = {blue, green, red};
    return solid;
}
