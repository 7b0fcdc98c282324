#pragma once
#include <cstdint>
#include <vector>

// What the renderer found for every pixel of a scene, rows top-down.
struct RenderedScene {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> id;       // object id of the pixel's centre sample
    std::vector<std::uint8_t> u;        // texture u, 0..255, averaged over samples of that id
    std::vector<std::uint8_t> v;        // texture v
    std::vector<std::uint8_t> light;    // light level with the outline darkening
    std::vector<std::uint8_t> surface;  // light level without outlines
    std::vector<std::uint8_t> outline;  // outline coverage, 0 (none) .. 255 (full)
    // How far the texture moves from the pixel to its right or lower neighbour, in
    // coordinates (256 a tile), saturated at 255: how much of a pattern one pixel covers.
    std::vector<std::uint8_t> footprint;

    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
};
