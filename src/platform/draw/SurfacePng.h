#pragma once
#include <string>

#include "platform/draw/CSurface.h"

// Writes what the surface shows (8-bit surfaces through their hardware palette) as a
// PNG file. False when the file cannot be written.
bool WriteSurfacePng(const CSurface& surface, const std::string& path);
