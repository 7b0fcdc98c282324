#pragma once
#include "painting/PictureRefresh.h"
#include "platform/base/CRect.h"

class CGlimImage;
class CPalette;
class CWnd;

// Draws scenes' canvases into the colouring screen's picture area with the screen's palette:
// a picture whole when it is shown, then the parts its painting changed. A picture is drawn
// only while it is shown: once it stops being current in its book or scrapbook, the view
// leaves it alone until it is shown again.
class CPictureView {
  public:
    void SetPalette(CPalette* palette) { m_palette = palette; }

    // Shows `picture` in `window` (the picture area) and draws it whole.
    bool Show(CGlimImage& picture, CWnd* window);
    // Draws what painting changed since the picture was last drawn and forgets it.
    bool DrawChanged(CGlimImage& picture);
    // Draws the picture over the whole picture area and forgets what changed.
    bool DrawWhole(CGlimImage& picture);
    // Draws `area` (picture coordinates) of the picture; the changed area loses that part
    // when what remains of it is one rectangle.
    bool DrawArea(CGlimImage& picture, const CRect& area);
    // DrawChanged as the tools call it.
    PictureRefresh Refresher();

  private:
    CWnd* WindowFor(const CGlimImage& picture) const;
    bool Redraw(CGlimImage& picture, bool whole);

    CWnd* m_window = nullptr;
    CPalette* m_palette = nullptr;
};
