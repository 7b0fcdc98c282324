#pragma once
#include <vector>

#include "screens/Faces.h"

// The frames of the colouring screen's sun and rainbow when clicked: the sun winks and its
// rays stretch, the rainbow's colours roll outward under travelling sparkles. Each is a strip
// of frames side by side, every frame drawn over the colouring screen's `background` where
// its place lies.
std::vector<KitPicture> BuildSkyAnimations(const KitImage& background);
