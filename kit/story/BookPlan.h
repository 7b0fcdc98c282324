#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/Scene.h"

// The kit's description of a story book (kit/books/*.book): its name, the folder it is
// written to, the figure libraries and the scene files in story order.
//   bookname NAME...        folder NAME        binder R,G,B
//   library FILE            scene FILE
class BookPlan {
  public:
    std::string bookName;
    std::string folder;
    std::uint32_t binderColour = 0xC0392B;
    std::vector<std::string> libraries;
    std::vector<std::string> sceneFiles;

    // Reads the book file; false with `error` set when it is unreadable or malformed.
    bool Read(const std::string& path, std::string& error);
    // Reads the libraries and every scene next to the book file.
    bool LoadScenes(const std::string& booksDir, std::vector<Scene>& scenes,
                    std::string& error) const;
};

// The whole file as text; false when it cannot be read.
bool ReadTextFile(const std::string& path, std::string& text);
