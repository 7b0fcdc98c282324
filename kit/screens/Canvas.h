#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>

#include "KitImage.h"

// A cairo drawing surface that turns into a KitImage. Owns its surface and context.
class Canvas {
  public:
    Canvas(int width, int height, std::uint32_t rgb = 0xFFFFFF);
    explicit Canvas(const KitImage& start);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() { return m_cr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    KitImage ToImage();
    // Places a picture with its top left corner at (x, y), unscaled.
    void Paste(const KitImage& image, int x, int y);

    // Colour helpers taking 0xRRGGBB.
    void SetColour(std::uint32_t rgb, double alpha = 1.0);
    // Fills the current path with `fill` and outlines it `width` wide in `outline`.
    void FillStroke(std::uint32_t fill, std::uint32_t outline, double width);
    void RoundRect(double x, double y, double w, double h, double r);
    // Centred text in the box, bold rounded sans, with a dark outline when `outline` != 0.
    void Text(const std::string& text, double x, double y, double w, double h, double points,
              std::uint32_t rgb, std::uint32_t outline = 0, double outlineWidth = 0);

  private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};
