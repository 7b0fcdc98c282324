#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/draw/CSurface.h"

// Writes what the surface shows (8-bit surfaces through their hardware palette) as a
// PNG file. False when the file cannot be written.
bool WriteSurfacePng(const CSurface& surface, const std::string& path);

// Encodes `width` x `height` pixels, top row first, each 0x00RRGGBB, as the bytes of a PNG
// file. False when the pixels do not match the size or the encoder fails.
bool EncodeRgbPng(int width, int height, const std::vector<std::uint32_t>& pixels,
                  std::string& png);
