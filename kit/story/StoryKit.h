#pragma once
#include <string>
#include <vector>

// The story book of rendered 3D scenes: its layers, description, catalogue, slides,
// slide script, the empty scrapbook and the scribble-pad book.

// Renders every scene of every kit book and writes the books and their companions under
// contentDir/books/ (and the voice files into each scene's sounds folder), with a catalogue
// naming every book. False when anything failed.
bool GenerateStory(const std::string& contentDir);
// Renders the book described by `bookFile` (its scenes and libraries beside it) the same
// way into contentDir/books/.
bool GenerateBook(const std::string& bookFile, const std::string& contentDir);
// The first ".book" file in `dir` by name, or "" when there is none.
std::string FindBookFile(const std::string& dir);

// Appends one line to `problems` for every missing or inconsistent file of the book.
void CheckStory(const std::string& contentDir, std::vector<std::string>& problems);

// Appends one sentence to `problems` for every scene of the kit's book file `bookFile` that
// is badly composed (objects too small, cut by the frame or floating).
void CheckComposition(const std::string& bookFile, std::vector<std::string>& problems);

// The kit's own book files, in the order they are written.
std::vector<std::string> KitBookFiles();

// The book folders the tree's catalogue lists, in its order (none when it is unreadable).
std::vector<std::string> CatalogueBooks(const std::string& contentDir);

// Writes a contact sheet of the book in `folder` (every scene's layers side by side plus an
// auto-coloured copy) as a PNG to outPng. False when the book cannot be read or the file
// cannot be written.
bool SheetStory(const std::string& contentDir, const std::string& folder,
                const std::string& outPng);
