#include "imaging/CDIBPal.h"

#include "imaging/CDitherer.h"

CDIBPal::~CDIBPal() {
    DeleteObject();
}

bool CDIBPal::CreateColourCube() {
    return CDitherer::CreateDitherPalette(*this);
}

UINT CDIBPal::RealizeIn(CDC& dc, BOOL background) {
    CPalette* previous = dc.SelectPalette(this, background);
    const UINT changed = dc.RealizePalette();
    dc.SelectPalette(previous, TRUE);
    return changed;
}
