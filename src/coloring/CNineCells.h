#pragma once
#include <array>

#include "platform/base/CRect.h"

// A rectangle cut into the nine cells around an inner rectangle, so that what lies around
// a self-painting area can be painted without touching the area.
class CNineCells {
  public:
    // The cells around `inner` inside `outer`, row by row; cell 4 is their overlap and
    // cells outside `outer` are empty. `outer` is emptied.
    static void Split(CRect& outer, const CRect& inner, std::array<CRect, 9>& cells);
};
