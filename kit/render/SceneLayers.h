#pragma once
#include "KitGreyImage.h"
#include "KitImage.h"
#include "render/RenderedScene.h"

// Turns a rendered scene into the picture layers a colourable scene ships with.
class SceneLayers {
  public:
    // Grey light level on every pixel, outlines included, so a fill keeps its outline.
    static KitImage Shading(const RenderedScene& scene);
    // Blue = object id, red = u, green = v.
    static KitImage Mapping(const RenderedScene& scene);
    // The texture's step from each pixel to its neighbours, one byte a pixel.
    static KitGreyImage Footprint(const RenderedScene& scene);
    // Pale shaded surfaces with dark outlines: the page before colouring.
    static KitImage Uncoloured(const RenderedScene& scene);
    // Black outlines on white paper.
    static KitImage Print(const RenderedScene& scene);
    // An area-averaged reduction of `source` to width × height.
    static KitImage Reduce(const KitImage& source, int width, int height);
};
