#pragma once
#include <string>
#include <vector>

#include "KitImage.h"

// A picture the program names, with the size its screen's layout gives it.
struct ExpectedPicture {
    std::string path;  // relative to the content folder
    int width, height;
    std::string upFace;  // for a down or disabled face: its button's up face, which it must not
                         // look like; empty for every other picture
};
const std::vector<ExpectedPicture>& ExpectedPictures();

// Loads a picture through the program's own bitmap reader (plain or scrambled) into
// `image`; "" on success, else what the reader said.
std::string LoadPicture(const std::string& path, KitImage& image);
// Checks one wave file against the kit's rules; "" when it passes.
std::string CheckWave(const std::string& path);
// Mean absolute difference per channel (0..255) of two pictures of one size; 0 otherwise.
double MeanDifference(const KitImage& a, const KitImage& b);
// Mean difference per channel (0..255) at or below which two faces look the same.
constexpr double kSameLookingFaces = 4.0;
// "" when `text` is one well-formed RTF group (balanced braces, 7-bit text), else why not.
std::string RtfProblem(const std::string& text);
// Checks the screens' pictures, every sound, both catalogues and the files they name,
// and the parents' guide; one line per problem.
void CheckTree(const std::string& dir, std::vector<std::string>& problems);
