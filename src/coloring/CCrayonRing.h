#pragma once
#include "platform/base/CRect.h"
#include "platform/draw/CDC.h"

// The ring that marks the chosen crayon in the open crayon box: a bright band between two
// dark lines along the edge of the crayon's place. Crayons stand side by side, so the
// ring stays inside the crayon's own place and never covers a neighbour.
class CCrayonRing {
  public:
    // Width of the whole ring: a dark line, the bright band, a dark line.
    static constexpr int kWidth = 5;

    // Paints the ring inside `crayon` (screen pixels), clipped to `box`, the crayon area.
    static void Paint(CDC& dc, const CRect& crayon, const CRect& box);
};
