#include "models/Footprint.h"

#include <algorithm>
#include <cstdlib>

namespace Footprint {
namespace {

// Level k > 0 starts at 2^(k+1) coordinates: swatches are stretched a few coordinates per
// texel, so smaller steps still land on neighbouring texels and need no averaging.
constexpr int kFirstCoarseSpan = 4;

// The larger coordinate step from (x, y) to the neighbour at (x + dx, y + dy), when that
// neighbour is inside the mapping and on the same object; -1 otherwise.
int StepTo(const CLayerView& mapping, int x, int y, int dx, int dy) {
    if (!mapping.Contains(x + dx, y + dy)) return -1;
    const BYTE* here = mapping.At(x, y);
    const BYTE* there = mapping.At(x + dx, y + dy);
    if (here[0] != there[0]) return -1;
    return std::max(WrappedDistance(here[1], there[1]), WrappedDistance(here[2], there[2]));
}

// The step along one axis: forwards when the next pixel is on the object, else backwards.
int AxisStep(const CLayerView& mapping, int x, int y, int dx, int dy) {
    const int forwards = StepTo(mapping, x, y, dx, dy);
    return forwards >= 0 ? forwards : StepTo(mapping, x, y, -dx, -dy);
}

}  // namespace

int LevelSpan(int level) {
    return level == 0 ? 0 : kFirstCoarseSpan << (level - 1);
}

int LevelForSpan(int span) {
    int level = 0;
    while (level + 1 < kLevels && span >= LevelSpan(level + 1)) ++level;
    return level;
}

int LevelForMeasuredStep(int step) {
    // 3 / 2 is near the square root of 2, the middle of each doubling.
    return LevelForSpan(step * 3 / 2);
}

int WrappedDistance(int a, int b) {
    const int direct = std::abs(a - b);
    return std::min(direct, 256 - direct);
}

int LevelAt(const CLayerView& mapping, int x, int y) {
    const int span = std::max(AxisStep(mapping, x, y, 1, 0), AxisStep(mapping, x, y, 0, 1));
    return LevelForSpan(std::max(span, 0));
}

}  // namespace Footprint
