#pragma once
#include <string>
#include <vector>

// The story book of rendered 3D scenes: its layers, description, catalogue, slides,
// slide script, the empty scrapbook and the scribble-pad book.

// Renders every scene and writes the book and its companions under contentDir/books/
// (and the voice files into each scene's sounds folder). False when anything failed.
bool GenerateStory(const std::string& contentDir);

// Appends one line to `problems` for every missing or inconsistent file of the book.
void CheckStory(const std::string& contentDir, std::vector<std::string>& problems);

// Writes a contact sheet (every scene's layers side by side plus an auto-coloured copy)
// as a PNG to outPng. False when the book cannot be read or the file cannot be written.
bool SheetStory(const std::string& contentDir, const std::string& outPng);
