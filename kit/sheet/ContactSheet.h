#pragma once
#include <string>

#include "KitImage.h"

// The picture reduced to the program's 256-colour cube (8 red, 8 green, 4 blue levels)
// with Floyd-Steinberg error diffusion, as a 256-colour display would show it.
KitImage DitherToCube(const KitImage& image);
// A PNG of every screen, crayon and texture picture below `dir`, each shown as drawn and
// beside it as reduced to the colour cube, labelled with its path. False on failure.
bool WriteContactSheet(const std::string& dir, const std::string& outPng);
