#pragma once
#include <vector>

#include "models/CLayerView.h"
#include "models/Swatch.h"
#include "platform/base/CPoint.h"
#include "platform/base/CRect.h"

class CGlimImage;

// The bucket of a page without objects to colour apart (the scribble pad): it colours the
// patch of like colour around the clicked pixel, 4-connected, so the child's own strokes
// bound it. Pixels just outside the patch that are partly its colour (the soft fringe of a
// stroke) are coloured in the same proportion, so no pale seam is left along the lines.
class CColourFloodFill {
  public:
    // How far each channel may stray from the clicked colour and still be filled: enough for
    // near-identical pixels, too little to leak through the faint outer fringe of a stroke.
    static constexpr int kTolerance = 24;

    // How strongly each pixel of `bounds` is coloured, 0 where it is left alone. Cells lie
    // column after column (x major), as a brush mask does.
    struct Coverage {
        CRect bounds;
        std::vector<float> strength;

        bool IsEmpty() const { return bounds.IsRectEmpty(); }
        // The strength at picture pixel (x, y); 0 outside the bounds.
        float At(int x, int y) const;
    };

    // The coverage of a flood from `seed` over `canvas`; empty when the seed lies outside.
    static Coverage Trace(const CLayerView& canvas, CPoint seed, int tolerance = kTolerance);
    // Floods the picture's canvas from `seed` with `swatch` through the picture's painter,
    // which lays the swatch by texture coordinate and light and marks the change for the
    // views and the undo copy. False when nothing was coloured.
    static bool Fill(CGlimImage& picture, CPoint seed, const Swatch& swatch);
};
