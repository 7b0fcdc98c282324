#pragma once
// How much of a swatch one screen pixel covers. Far away, neighbouring pixels of a receding
// surface lie many texture coordinates apart, so one texel per pixel picks stripes and checks
// at random and they shimmer; such pixels get a coarser level whose colour is the average of
// the swatch over a box of texels about as wide as the pixel.
#include "models/CLayerView.h"
#include "platform/base/WinTypes.h"

namespace Footprint {

// Levels 0 (one texel, the nearest pixels) .. kLevels - 1 (the widest box).
constexpr int kLevels = 7;

// Coordinates a pixel at `level` steps to its neighbours, at least: 0 at level 0, then 4,
// 8, 16, 32, 64 and 128 (half the swatch: the farthest a wrapped step can go). The box a level
// averages is this many coordinates wide in texels.
int LevelSpan(int level);

// Level for a pixel whose texture coordinates step by `span` to its neighbours.
int LevelForSpan(int span);

// Level for a pixel whose step the scene's footprint layer measured: the level whose box is
// nearest that wide on the doubling scale of the levels. Rounding down, as LevelForSpan does
// for a step read off wrapped coordinates (which may be too short already), would leave
// boxes up to half as wide as the pixel and faint arcs of the pattern where levels meet.
int LevelForMeasuredStep(int step);

// Distance between two coordinates, the shorter way round: a surface wrapped all the way
// round steps from 255 to 0 at its seam, which is a neighbour, not a far jump.
int WrappedDistance(int a, int b);

// Level of mapping pixel (x, y) (inside the mapping) from its right and lower neighbours
// on the same object, or its left and upper ones at the object's edge.
int LevelAt(const CLayerView& mapping, int x, int y);

}  // namespace Footprint
