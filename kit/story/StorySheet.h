#pragma once
#include <string>
#include <vector>

#include "KitImage.h"

class CGlimImage;

// The contact sheet: one row per scene with its shading, mapping, uncoloured and print
// layers side by side, then the scene with every object filled with a random crayon, and
// with a random texture through the program's own fill, each dithered to the screen's
// colour cube, so the 3D effect and how patterns recede can be judged at a glance.
class StorySheet {
  public:
    struct Row {
        std::string title;
        std::vector<KitImage> pictures;
    };

    // Every object id present in the mapping layer filled with a crayon chosen by a
    // fixed-seed generator, through the program's colouring arithmetic.
    static KitImage AutoColour(const KitImage& shading, const KitImage& mapping,
                               const KitImage& uncoloured, unsigned seed);
    // The scene loaded by the program with every object filled with one of the textures in
    // `texturesDir` (its "NAME_t.bmp" pictures), chosen by a fixed-seed generator, through
    // the program's bulk fill, dithered; an empty picture when the scene or no texture loads.
    static KitImage Textured(CGlimImage& scene, const std::string& texturesDir, unsigned seed);
    // Lays the rows out and writes the PNG; false when it cannot be written.
    static bool WritePng(const std::vector<Row>& rows, const std::vector<std::string>& columnNames,
                         const std::string& path);
};
