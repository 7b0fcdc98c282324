#pragma once
#include <memory>
#include <vector>

#include "platform/base/CRect.h"
#include "platform/draw/CSurface.h"

struct _cairo;
struct _cairo_surface;

// A cairo drawing context over one rectangle of a CSurface, in surface coordinates and
// clipped to that rectangle. A 32-bit surface is drawn on in place (its blue, green, red,
// unused byte order is cairo's RGB24). An 8-bit surface is drawn on through a true-colour
// copy of the rectangle; when the canvas goes away every pixel that drawing changed takes
// the nearest colour of the surface's hardware palette.
class CTextCanvas {
  public:
    // `area` is limited to the surface; an empty area gives no context.
    CTextCanvas(CSurface& surface, const CRect& area);
    ~CTextCanvas();
    CTextCanvas(const CTextCanvas&) = delete;
    CTextCanvas& operator=(const CTextCanvas&) = delete;

    // Null when there is nothing to draw on.
    _cairo* Context() const { return m_cr; }

  private:
    void WriteBack();

    CSurface& m_surface;
    CRect m_area;
    // The 8-bit surface's pixels as colours, before drawing (the copy draws over them).
    std::vector<std::uint32_t> m_before;
    std::vector<std::uint32_t> m_pixels;
    _cairo_surface* m_image = nullptr;
    _cairo* m_cr = nullptr;
};
