#pragma once
#include <string>
#include <vector>

// The three commands of the kit over a whole content tree.

// Writes the tree below `dir` (the same bytes every run); false when any file failed.
bool GenerateContent(const std::string& dir);
// Writes everything but the story book: screens, sounds, crayons, textures and the guide.
// The names of the files that could not be made come back in `failures`.
bool GenerateKitPart(const std::string& dir, std::vector<std::string>& failures);
// Collects one line per problem found in the tree below `dir`.
void CollectProblems(const std::string& dir, std::vector<std::string>& problems);
// Prints the problems, one a line, and returns true when there were none. A folder that
// holds a ".book" file is checked as a book being written instead of as a tree.
bool CheckContent(const std::string& dir);
// Writes a contact sheet of every picture, each beside its colour-cube version.
bool SheetContent(const std::string& dir, const std::string& outPng);
// Checks the book in `bookDir` and, when it has no problems, renders it into
// outDir/books/ (the book's folder, its catalogue, an empty scrapbook).
bool MakeBook(const std::string& bookDir, const std::string& outDir);
