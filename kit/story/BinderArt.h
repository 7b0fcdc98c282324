#pragma once
#include <cstdint>
#include <string>

#include "KitImage.h"

// Draws a book's spine for the scrapbook screen's shelf: a cloth-coloured binder
// with the title running up it; the highlighted one glows with a golden rim.
class BinderArt {
  public:
    static constexpr int kWidth = 48;
    static constexpr int kHeight = 160;

    static KitImage Binder(const std::string& title, std::uint32_t rgb, bool highlighted);
};
