#pragma once
#include <functional>
#include <string>

#include "models/CCrayonBox.h"
#include "resources/ContentPaths.h"

// Reads the crayon catalogue ("crayons.txt" in the crayons folder) into the screen's boxes.
class CCrayonCatalogue {
  public:
    static constexpr int kMaxBoxes = 10;
    static constexpr const char* kDefaultFolder = ContentPaths::kCrayons;

    // Loads boxes in catalogue order into boxes[0 .. capacity - 1] until one fails; calls
    // `onBoxLoaded` with each box that loaded. Returns how many loaded. A catalogue that is
    // missing or yields no box is reported to the user; the caller goes on without boxes.
    static int Load(CCrayonBox* boxes, int capacity,
                    const std::function<void(CCrayonBox&)>& onBoxLoaded = {},
                    const std::string& crayonsFolder = kDefaultFolder);
};
