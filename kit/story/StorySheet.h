#pragma once
#include <string>
#include <vector>

#include "KitImage.h"

// The contact sheet: one row per scene with its shading, mapping, uncoloured and print
// layers side by side, then the scene with every object filled with a random crayon
// and dithered to the screen's colour cube, so the 3D effect can be judged at a glance.
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
    // Lays the rows out and writes the PNG; false when it cannot be written.
    static bool WritePng(const std::vector<Row>& rows, const std::vector<std::string>& columnNames,
                         const std::string& path);
};
