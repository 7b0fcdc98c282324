#pragma once
#include "screens/Canvas.h"

// The smiling sun of the screens, centred on (x, y) with radius r: twelve rays reaching
// `reach` radii out, two eyes, or the right one closed with pink cheeks while `winking`.
void DrawSun(Canvas& c, double x, double y, double r, double reach = 1.7, bool winking = false);
