#pragma once
#include <string>
#include <vector>

#include "KitImage.h"

// A picture the program names, with the size its screen's layout gives it.
struct ExpectedPicture {
    std::string path;  // relative to the content folder
    int width, height;
};
const std::vector<ExpectedPicture>& ExpectedPictures();

// Loads a picture through the program's own bitmap reader (plain or scrambled) into
// `image`; "" on success, else what the reader said.
std::string LoadPicture(const std::string& path, KitImage& image);
// Checks one wave file against the kit's rules; "" when it passes.
std::string CheckWave(const std::string& path);
// Checks the screens' pictures, every sound, both catalogues and the files they name,
// and the parents' guide; one line per problem.
void CheckTree(const std::string& dir, std::vector<std::string>& problems);
