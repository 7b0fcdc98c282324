#pragma once
// The inner loop of the object fill: one row's segment of an object painted with the swatch
// laid out by texture coordinate and footprint level and shaded by the row's light levels,
// through the
// processor's vector unit when it has one, else pixel by pixel; both give the same bytes.
#include "platform/base/WinTypes.h"

namespace RowFill {

// Entries of one footprint level in the swatch table; level k starts at k × kLevelEntries.
constexpr int kLevelEntries = 256 * 256;

// Marks a swatch-table entry whose texture coordinate falls outside the swatch.
constexpr DWORD kOutsideSwatch = 0xFF000000u;

// One row of an object fill: where its pixels, coordinates and light levels start (x = 0),
// and the per-column record of changed rows, indexed by x - firstColumn.
struct Row {
    BYTE* canvas;
    int canvasStep;
    const WORD* coordinates;
    const BYTE* light;
    const BYTE* levels;
    const DWORD* swatch;
    int* changedTop;
    int* changedBottom;
    int firstColumn;
    int y;
};

// Paints columns [from, to) of a row; returns how many pixels it painted.
using Painter = int (*)(const Row& row, int from, int to);

// The loop for canvas pixels of `canvasStep` bytes.
Painter ChoosePainter(int canvasStep);

// Whether the loop may use the processor's vector unit (when it has one); off, it takes the
// plain loop. Both give the same bytes; tests compare them.
void AllowVectorUnit(bool allowed);

}  // namespace RowFill
